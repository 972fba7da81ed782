unit MainUnit;

{ The main window: a tool bar, the search frame, the list of contacts and
  a status bar. Editing happens in TEditForm, storage in the data module. }

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms,
  Dialogs, StdCtrls, ComCtrls, ExtCtrls, Buttons, Contacts, SearchFrm,
  EditUnit;

type
  TMainForm = class(TForm)
    ToolPanel: TPanel;
    AddButton: TButton;
    EditButton: TButton;
    DeleteButton: TButton;
    AboutButton: TSpeedButton;
    SearchFrame1: TSearchFrame;
    ContactList: TListView;
    StatusBar: TStatusBar;
    procedure FormCreate(Sender: TObject);
    procedure FormDestroy(Sender: TObject);
    procedure FormShow(Sender: TObject);
    procedure AddButtonClick(Sender: TObject);
    procedure EditButtonClick(Sender: TObject);
    procedure DeleteButtonClick(Sender: TObject);
    procedure AboutButtonClick(Sender: TObject);
    procedure ContactListSelectItem(Sender: TObject; Item: TListItem;
      Selected: Boolean);
  private
    FContacts: TContactList;
    FSearchText: string;
    FMatchCase: Boolean;
    procedure RefreshList;
    procedure UpdateButtons;
    procedure SearchFrameSearch(Sender: TObject; const Text: string;
      MatchCase: Boolean);
    function SelectedContact: TContact;
  public
    procedure ShowStatus(const Text: string);
  end;

var
  MainForm: TMainForm;

implementation

uses
  DataMod, AboutUnit, Common;

{$R *.dfm}

const
  ColName = 0;
  ColEmail = 1;
  ColPhone = 2;
  ColCategory = 3;

procedure TMainForm.FormCreate(Sender: TObject);
begin
  Caption := AppTitle;
  FContacts := TContactList.Create(True);
  SearchFrame1.OnSearch := SearchFrameSearch;
end;

procedure TMainForm.FormDestroy(Sender: TObject);
begin
  FContacts.Free;
end;

procedure TMainForm.FormShow(Sender: TObject);
begin
  RefreshList;
end;

procedure TMainForm.RefreshList;
var
  I: Integer;
  Contact: TContact;
  Item: TListItem;
begin
  // The data module is created after this form: load on first use.
  if FContacts.Count = 0 then
    DM.LoadContacts(FContacts);
  ContactList.Items.BeginUpdate;
  try
    ContactList.Items.Clear;
    for I := 0 to FContacts.Count - 1 do
    begin
      Contact := FContacts[I];
      if not Contact.Matches(FSearchText, FMatchCase) then
        Continue;
      Item := ContactList.Items.Add;
      Item.Caption := Contact.DisplayName;
      Item.Data := Contact;
      if Contact.Email = '' then
        Item.SubItems.Add(NoEmailText)
      else
        Item.SubItems.Add(Contact.Email);
      Item.SubItems.Add(Contact.Phone);
      Item.SubItems.Add(CategoryNames[Contact.Category]);
    end;
  finally
    ContactList.Items.EndUpdate;
  end;
  StatusBar.Panels[0].Text := Format('%d of %d contacts',
    [ContactList.Items.Count, FContacts.Count]);
  UpdateButtons;
end;

procedure TMainForm.UpdateButtons;
begin
  EditButton.Enabled := ContactList.Selected <> nil;
  DeleteButton.Enabled := ContactList.Selected <> nil;
end;

function TMainForm.SelectedContact: TContact;
begin
  if ContactList.Selected = nil then
    Result := nil
  else
    Result := TContact(ContactList.Selected.Data);
end;

procedure TMainForm.ShowStatus(const Text: string);
begin
  StatusBar.Panels[1].Text := Text;
end;

procedure TMainForm.SearchFrameSearch(Sender: TObject; const Text: string;
  MatchCase: Boolean);
begin
  FSearchText := Text;
  FMatchCase := MatchCase;
  RefreshList;
end;

procedure TMainForm.AddButtonClick(Sender: TObject);
var
  Contact: TContact;
begin
  Contact := TContact.Create;
  if EditForm.Execute(Contact) then
  begin
    DM.SaveContact(Contact);
    FContacts.Add(Contact);
    FContacts.SortByName;
    RefreshList;
    ShowStatus('Added ' + Contact.DisplayName);
  end
  else
    Contact.Free;
end;

procedure TMainForm.EditButtonClick(Sender: TObject);
var
  Contact, Changed: TContact;
begin
  Contact := SelectedContact;
  if Contact = nil then
    Exit;
  Changed := TContact.Create;
  try
    Changed.Assign(Contact);
    if EditForm.Execute(Changed) then
    begin
      Contact.Assign(Changed);
      DM.SaveContact(Contact);
      RefreshList;
    end;
  finally
    Changed.Free;
  end;
end;

procedure TMainForm.DeleteButtonClick(Sender: TObject);
var
  Contact: TContact;
begin
  Contact := SelectedContact;
  if (Contact <> nil) and (MessageDlg(Format(ConfirmDeleteText,
    [Contact.DisplayName]), mtConfirmation, [mbYes, mbNo], 0) = mrYes) then
  begin
    DM.DeleteContact(Contact);
    FContacts.Remove(Contact);
    RefreshList;
  end;
end;

procedure TMainForm.AboutButtonClick(Sender: TObject);
begin
  AboutForm := TAboutForm.Create(Self);
  try
    AboutForm.ShowCount(FContacts.Count);
    AboutForm.Execute;
  finally
    FreeAndNil(AboutForm);
  end;
end;

procedure TMainForm.ContactListSelectItem(Sender: TObject; Item: TListItem;
  Selected: Boolean);
begin
  UpdateButtons;
end;

end.
