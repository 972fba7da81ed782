object EditForm: TEditForm
  Left = 264
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Contact'
  ClientHeight = 321
  ClientWidth = 402
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  Position = poOwnerFormCenter
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 13
  object PageControl: TPageControl
    Left = 8
    Top = 8
    Width = 386
    Height = 265
    ActivePage = DetailsSheet
    Anchors = [akLeft, akTop, akRight, akBottom]
    TabOrder = 0
    object DetailsSheet: TTabSheet
      Caption = 'Details'
      object FirstNameLabel: TLabel
        Left = 12
        Top = 16
        Width = 51
        Height = 13
        Caption = '&First name:'
        FocusControl = FirstNameEdit
      end
      object LastNameLabel: TLabel
        Left = 12
        Top = 48
        Width = 52
        Height = 13
        Caption = '&Last name:'
        FocusControl = LastNameEdit
      end
      object EmailLabel: TLabel
        Left = 12
        Top = 80
        Width = 31
        Height = 13
        Caption = 'E-&mail:'
        FocusControl = EmailEdit
      end
      object PhoneLabel: TLabel
        Left = 12
        Top = 112
        Width = 34
        Height = 13
        Caption = '&Phone:'
        FocusControl = PhoneEdit
      end
      object CategoryLabel: TLabel
        Left = 12
        Top = 144
        Width = 45
        Height = 13
        Caption = '&Category:'
        FocusControl = CategoryCombo
      end
      object RatingLabel: TLabel
        Left = 12
        Top = 178
        Width = 34
        Height = 13
        Caption = '&Rating:'
        FocusControl = RatingBar
      end
      object FirstNameEdit: TEdit
        Left = 96
        Top = 12
        Width = 270
        Height = 21
        Anchors = [akLeft, akTop, akRight]
        MaxLength = 40
        TabOrder = 0
        Text = ''
      end
      object LastNameEdit: TEdit
        Left = 96
        Top = 44
        Width = 270
        Height = 21
        Anchors = [akLeft, akTop, akRight]
        MaxLength = 40
        TabOrder = 1
        Text = ''
      end
      object EmailEdit: TEdit
        Left = 96
        Top = 76
        Width = 270
        Height = 21
        Hint = 'Shown in the list only;'#13#10'no mail is sent from here.'
        Anchors = [akLeft, akTop, akRight]
        MaxLength = 80
        ParentShowHint = False
        ShowHint = True
        TabOrder = 2
        Text = ''
        OnExit = EmailEditExit
      end
      object PhoneEdit: TEdit
        Left = 96
        Top = 108
        Width = 145
        Height = 21
        MaxLength = 24
        TabOrder = 3
        Text = ''
      end
      object CategoryCombo: TComboBox
        Left = 96
        Top = 140
        Width = 145
        Height = 21
        Style = csDropDownList
        ItemHeight = 13
        TabOrder = 4
        Items.Strings = (
          'Family'
          'Friend'
          'Work'
          'Other')
      end
      object RatingBar: TTrackBar
        Left = 90
        Top = 172
        Width = 160
        Height = 33
        Hint = 
          'From half a star to five stars: how glad you are when this perso' +
          'n calls you.'
        Max = 10
        Min = 1
        ParentShowHint = False
        Position = 5
        ShowHint = True
        TabOrder = 5
      end
      object FavouriteBox: TCheckBox
        Left = 96
        Top = 212
        Width = 200
        Height = 17
        Caption = 'Show at the top of the list'
        TabOrder = 6
      end
    end
    object NotesSheet: TTabSheet
      Caption = 'Notes'
      ImageIndex = 1
      object NotesMemo: TMemo
        Left = 0
        Top = 0
        Width = 378
        Height = 237
        Align = alClient
        Font.Charset = ANSI_CHARSET
        Font.Color = clWindowText
        Font.Height = -12
        Font.Name = 'Courier New'
        Font.Style = []
        Lines.Strings = (
          'Birthday: '
          'Children''s names: '
          ''
          'Don''t call before 9 o''clock.')
        ParentFont = False
        ScrollBars = ssVertical
        TabOrder = 0
      end
    end
  end
  object BottomPanel: TPanel
    Left = 0
    Top = 280
    Width = 402
    Height = 41
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 1
    object SaveButton: TButton
      Left = 238
      Top = 8
      Width = 75
      Height = 25
      Anchors = [akTop, akRight]
      Caption = '&Save'
      Default = True
      TabOrder = 0
      OnClick = SaveButtonClick
    end
    object CancelButton: TButton
      Left = 319
      Top = 8
      Width = 75
      Height = 25
      Anchors = [akTop, akRight]
      Cancel = True
      Caption = 'Cancel'
      ModalResult = 2
      TabOrder = 1
    end
  end
end
