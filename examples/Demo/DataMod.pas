unit DataMod;

{ The data module keeps the address book in a client data set that is
  loaded from and saved to one XML file beside the program. }

interface

uses
  SysUtils, Classes, DB, DBClient, Contacts;

type
  TDM = class(TDataModule)
    ContactsTable: TClientDataSet;
    ContactsTableID: TIntegerField;
    ContactsTableFirstName: TStringField;
    ContactsTableLastName: TStringField;
    ContactsTableEmail: TStringField;
    ContactsTablePhone: TStringField;
    ContactsTableCategory: TStringField;
    ContactsTableRating: TFloatField;
    ContactsTableFavourite: TBooleanField;
    ContactsTableNotes: TMemoField;
    ContactsTableFullName: TStringField;
    ContactsSource: TDataSource;
    procedure DataModuleCreate(Sender: TObject);
    procedure DataModuleDestroy(Sender: TObject);
    procedure ContactsTableCalcFields(DataSet: TDataSet);
    procedure ContactsTableNewRecord(DataSet: TDataSet);
  private
    FFileName: string;
    FNextID: Integer;
    procedure RecordToContact(Contact: TContact);
    procedure ContactToRecord(Contact: TContact);
  public
    procedure LoadContacts(List: TContactList);
    procedure SaveContact(Contact: TContact);
    procedure DeleteContact(Contact: TContact);
    procedure ApplyFilter(const Text: string; MatchCase: Boolean);
    property FileName: string read FFileName;
  end;

var
  DM: TDM;

implementation

uses
  Common;

{$R *.dfm}

procedure TDM.DataModuleCreate(Sender: TObject);
begin
  FFileName := DataFilePath;
  if FileExists(FFileName) then
    ContactsTable.LoadFromFile(FFileName)
  else
    ContactsTable.CreateDataSet;
  ContactsTable.Open;
  FNextID := ContactsTable.RecordCount + 1;
end;

procedure TDM.DataModuleDestroy(Sender: TObject);
begin
  if ContactsTable.Active then
  begin
    ContactsTable.MergeChangeLog;
    ContactsTable.SaveToFile(FFileName, dfXML);
  end;
end;

procedure TDM.ContactsTableCalcFields(DataSet: TDataSet);
begin
  ContactsTableFullName.AsString := JoinName(ContactsTableFirstName.AsString,
    ContactsTableLastName.AsString);
end;

procedure TDM.ContactsTableNewRecord(DataSet: TDataSet);
begin
  ContactsTableID.AsInteger := FNextID;
  Inc(FNextID);
  ContactsTableCategory.AsString := CategoryNames[ccOther];
  ContactsTableFavourite.AsBoolean := False;
end;

procedure TDM.RecordToContact(Contact: TContact);
begin
  Contact.ID := ContactsTableID.AsInteger;
  Contact.FirstName := ContactsTableFirstName.AsString;
  Contact.LastName := ContactsTableLastName.AsString;
  Contact.Email := ContactsTableEmail.AsString;
  Contact.Phone := ContactsTablePhone.AsString;
  Contact.Category := CategoryFromName(ContactsTableCategory.AsString);
  Contact.Rating := ContactsTableRating.AsFloat;
  Contact.Favourite := ContactsTableFavourite.AsBoolean;
  Contact.Notes.Text := ContactsTableNotes.AsString;
end;

procedure TDM.ContactToRecord(Contact: TContact);
begin
  ContactsTableFirstName.AsString := Contact.FirstName;
  ContactsTableLastName.AsString := Contact.LastName;
  ContactsTableEmail.AsString := Contact.Email;
  ContactsTablePhone.AsString := NormalizePhone(Contact.Phone);
  ContactsTableCategory.AsString := CategoryNames[Contact.Category];
  ContactsTableRating.AsFloat := Contact.Rating;
  ContactsTableFavourite.AsBoolean := Contact.Favourite;
  ContactsTableNotes.AsString := Contact.Notes.Text;
end;

procedure TDM.LoadContacts(List: TContactList);
var
  Contact: TContact;
begin
  List.Clear;
  ContactsTable.DisableControls;
  try
    ContactsTable.First;
    while not ContactsTable.Eof do
    begin
      Contact := TContact.Create;
      RecordToContact(Contact);
      List.Add(Contact);
      ContactsTable.Next;
    end;
  finally
    ContactsTable.EnableControls;
  end;
  List.SortByName;
end;

procedure TDM.SaveContact(Contact: TContact);
begin
  if (Contact.ID <> 0) and ContactsTable.Locate('ID', Contact.ID, []) then
    ContactsTable.Edit
  else
  begin
    ContactsTable.Append;
    Contact.ID := ContactsTableID.AsInteger;
  end;
  ContactToRecord(Contact);
  ContactsTable.Post;
end;

procedure TDM.DeleteContact(Contact: TContact);
begin
  if ContactsTable.Locate('ID', Contact.ID, []) then
    ContactsTable.Delete;
end;

{ The filter is a plain data set filter; an empty text shows every row. }
procedure TDM.ApplyFilter(const Text: string; MatchCase: Boolean);
begin
  if Text = '' then
    ContactsTable.Filtered := False
  else
  begin
    ContactsTable.Filter := 'LastName = ' + QuoteText(Text + '*') +
      ' or FirstName = ' + QuoteText(Text + '*');
    if MatchCase then
      ContactsTable.FilterOptions := []
    else
      ContactsTable.FilterOptions := [foCaseInsensitive];
    ContactsTable.Filtered := True;
  end;
end;

end.
