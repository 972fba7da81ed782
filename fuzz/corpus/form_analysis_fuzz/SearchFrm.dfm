object SearchFrame: TSearchFrame
  Left = 0
  Top = 0
  Width = 552
  Height = 33
  TabOrder = 0
  object SearchLabel: TLabel
    Left = 8
    Top = 10
    Width = 37
    Height = 13
    Caption = '&Search:'
    FocusControl = SearchEdit
  end
  object SearchButton: TSpeedButton
    Left = 312
    Top = 5
    Width = 23
    Height = 22
    Hint = 'Search now'
    Flat = True
    Glyph.Data = {
      F6000000424DF600000000000000760000002800000010000000100000000100
      0400000000008000000000000000000000000000000000000000000000000000
      8000008000000080800080000000800080008080000080808000C0C0C0000000
      FF0000FF000000FFFF00FF000000FF00FF00FFFF0000FFFFFF00333333333333
      3333333333333333303333333333333300033333333333300000333333333300
      000333333000300000333333088880000333333087FF7800333333087FFFF780
      33333308FFFFFF8033333308FFFFFF80333333087FFFF7803333333087FF7803
      33333333088F8033333333333000333333333333333333333333}
    ParentShowHint = False
    ShowHint = True
    OnClick = SearchButtonClick
  end
  object ClearButton: TSpeedButton
    Left = 336
    Top = 5
    Width = 23
    Height = 22
    Hint = 'Clear the search text'
    Caption = 'X'
    Enabled = False
    Flat = True
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clMaroon
    Font.Height = -11
    Font.Name = 'Arial'
    Font.Style = [fsBold]
    ParentFont = False
    ParentShowHint = False
    ShowHint = True
    OnClick = ClearButtonClick
  end
  object SearchEdit: TEdit
    Left = 56
    Top = 6
    Width = 250
    Height = 21
    TabOrder = 0
    Text = ''
    OnChange = SearchEditChange
    OnKeyPress = SearchEditKeyPress
  end
  object MatchCaseBox: TCheckBox
    Left = 372
    Top = 8
    Width = 97
    Height = 17
    Caption = 'Match &case'
    TabOrder = 1
    OnClick = SearchButtonClick
  end
  object DelayTimer: TTimer
    Enabled = False
    Interval = 400
    OnTimer = DelayTimerTimer
    Left = 496
    Top = 4
  end
end
