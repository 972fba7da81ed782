unit SearchFrm;

{ A search bar that any form can drop in: an edit, two speed buttons and a
  check box. It raises OnSearch a moment after the user stops typing. }

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms,
  StdCtrls, Buttons, ExtCtrls;

type
  TSearchEvent = procedure(Sender: TObject; const Text: string;
    MatchCase: Boolean) of object;

  TSearchFrame = class(TFrame)
    SearchLabel: TLabel;
    SearchEdit: TEdit;
    SearchButton: TSpeedButton;
    ClearButton: TSpeedButton;
    MatchCaseBox: TCheckBox;
    DelayTimer: TTimer;
    procedure SearchEditChange(Sender: TObject);
    procedure SearchEditKeyPress(Sender: TObject; var Key: Char);
    procedure SearchButtonClick(Sender: TObject);
    procedure ClearButtonClick(Sender: TObject);
    procedure DelayTimerTimer(Sender: TObject);
  private
    FOnSearch: TSearchEvent;
    procedure DoSearch;
  public
    procedure Reset;
  published
    property OnSearch: TSearchEvent read FOnSearch write FOnSearch;
  end;

implementation

{$R *.dfm}

procedure TSearchFrame.DoSearch;
begin
  DelayTimer.Enabled := False;
  if Assigned(FOnSearch) then
    FOnSearch(Self, Trim(SearchEdit.Text), MatchCaseBox.Checked);
end;

procedure TSearchFrame.Reset;
begin
  SearchEdit.Text := '';
  MatchCaseBox.Checked := False;
  DoSearch;
end;

procedure TSearchFrame.SearchEditChange(Sender: TObject);
begin
  { restart the delay on every key }
  DelayTimer.Enabled := False;
  DelayTimer.Enabled := True;
  ClearButton.Enabled := SearchEdit.Text <> '';
end;

procedure TSearchFrame.SearchEditKeyPress(Sender: TObject; var Key: Char);
begin
  if Key = #13 then
  begin
    Key := #0;
    DoSearch;
  end
  else if Key = #27 then
  begin
    Key := #0;
    Reset;
  end;
end;

procedure TSearchFrame.SearchButtonClick(Sender: TObject);
begin
  DoSearch;
end;

procedure TSearchFrame.ClearButtonClick(Sender: TObject);
begin
  Reset;
  SearchEdit.SetFocus;
end;

procedure TSearchFrame.DelayTimerTimer(Sender: TObject);
begin
  DoSearch;
end;

end.
