unit EditUnit;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms,
  Dialogs, StdCtrls, ComCtrls, ExtCtrls, Contacts;

type
  TEditForm = class(TForm)
    PageControl: TPageControl;
    DetailsSheet: TTabSheet;
    NotesSheet: TTabSheet;
    FirstNameLabel: TLabel;
    LastNameLabel: TLabel;
    EmailLabel: TLabel;
    PhoneLabel: TLabel;
    CategoryLabel: TLabel;
    RatingLabel: TLabel;
    FirstNameEdit: TEdit;
    LastNameEdit: TEdit;
    EmailEdit: TEdit;
    PhoneEdit: TEdit;
    CategoryCombo: TComboBox;
    RatingBar: TTrackBar;
    FavouriteBox: TCheckBox;
    NotesMemo: TMemo;
    BottomPanel: TPanel;
    SaveButton: TButton;
    CancelButton: TButton;
    procedure FormShow(Sender: TObject);
    procedure SaveButtonClick(Sender: TObject);
    procedure EmailEditExit(Sender: TObject);
  private
    FContact: TContact;
    procedure ContactToControls;
    procedure ControlsToContact;
    function CheckInput: Boolean;
  public
    function Execute(Contact: TContact): Boolean;
  end;

var
  EditForm: TEditForm;

implementation

uses
  MainUnit, Common;

{$R *.dfm}

function TEditForm.Execute(Contact: TContact): Boolean;
begin
  FContact := Contact;
  ContactToControls;
  Result := ShowModal = mrOk;
  if Result then
    ControlsToContact;
end;

procedure TEditForm.FormShow(Sender: TObject);
begin
  PageControl.ActivePage := DetailsSheet;
  FirstNameEdit.SetFocus;
end;

procedure TEditForm.ContactToControls;
begin
  FirstNameEdit.Text := FContact.FirstName;
  LastNameEdit.Text := FContact.LastName;
  EmailEdit.Text := FContact.Email;
  PhoneEdit.Text := FContact.Phone;
  CategoryCombo.ItemIndex := Ord(FContact.Category);
  RatingBar.Position := Round(FContact.Rating * 2);
  FavouriteBox.Checked := FContact.Favourite;
  NotesMemo.Lines.Assign(FContact.Notes);
end;

procedure TEditForm.ControlsToContact;
begin
  FContact.FirstName := Trim(FirstNameEdit.Text);
  FContact.LastName := Trim(LastNameEdit.Text);
  FContact.Email := Trim(EmailEdit.Text);
  FContact.Phone := Trim(PhoneEdit.Text);
  FContact.Category := CategoryFromName(CategoryCombo.Text);
  FContact.Rating := RatingBar.Position / 2;
  FContact.Favourite := FavouriteBox.Checked;
  FContact.Notes.Assign(NotesMemo.Lines);
end;

function TEditForm.CheckInput: Boolean;
begin
  Result := False;
  if (Trim(FirstNameEdit.Text) = '') and (Trim(LastNameEdit.Text) = '') then
  begin
    MessageDlg('Please enter a first or a last name.', mtWarning, [mbOK], 0);
    FirstNameEdit.SetFocus;
  end
  else if (EmailEdit.Text <> '') and not IsValidEmail(EmailEdit.Text) then
  begin
    MessageDlg('"' + EmailEdit.Text + '" doesn''t look like an e-mail address.',
      mtWarning, [mbOK], 0);
    EmailEdit.SetFocus;
  end
  else
    Result := True;
end;

procedure TEditForm.SaveButtonClick(Sender: TObject);
begin
  if CheckInput then
    ModalResult := mrOk;
end;

procedure TEditForm.EmailEditExit(Sender: TObject);
begin
  (* Tell the user early, in the main window's status bar, without
     stopping the input with a message box. *)
  if (EmailEdit.Text <> '') and not IsValidEmail(EmailEdit.Text) then
    MainForm.ShowStatus('Check the e-mail address')
  else
    MainForm.ShowStatus('');
end;

end.
