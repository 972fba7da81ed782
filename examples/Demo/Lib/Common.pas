{ Common - small routines shared by the units of the address book.

  Nothing in here knows about forms or data sets, so the unit lives in a
  folder of its own and other programs may use it as well. }
unit Common;

interface

uses
  SysUtils, Classes;

const
  AppTitle = 'Address Book';
  AppVersion = '1.4';
  DataFileName = 'contacts.xml';
  NoEmailText = '(none)';
  ConfirmDeleteText = 'Do you really want to delete ''%s''?';
  SettingsKey = '\Software\Example\AddressBook';

type
  TContactCategory = (ccFamily, ccFriend, ccWork, ccOther);

const
  CategoryNames: array[TContactCategory] of string =
    ('Family', 'Friend', 'Work', 'Other');

function CategoryFromName(const Name: string): TContactCategory;
function IsValidEmail(const Address: string): Boolean;
function JoinName(const FirstName, LastName: string): string;
function QuoteText(const S: string): string;
function NormalizePhone(const Phone: string): string;
function DataFilePath: string;

implementation

function CategoryFromName(const Name: string): TContactCategory;
var
  C: TContactCategory;
begin
  for C := Low(TContactCategory) to High(TContactCategory) do
    if SameText(CategoryNames[C], Name) then
    begin
      Result := C;
      Exit;
    end;
  Result := ccOther;
end;

(* A light check only: one '@', something in front of it and a dot
   somewhere after it. The mail server has the last word anyway. *)
function IsValidEmail(const Address: string): Boolean;
var
  At, Dot: Integer;
begin
  At := Pos('@', Address);
  Dot := LastDelimiter('.', Address);
  Result := (At > 1) and (Dot > At + 1) and (Dot < Length(Address))
    and (Pos('@', Copy(Address, At + 1, MaxInt)) = 0);
end;

function JoinName(const FirstName, LastName: string): string;
begin
  if FirstName = '' then
    Result := LastName
  else if LastName = '' then
    Result := FirstName
  else
    Result := LastName + ', ' + FirstName;
end;

// Doubles every quote, as the filter expressions of the data set expect:
// O'Brien becomes 'O''Brien'.
function QuoteText(const S: string): string;
begin
  Result := '''' + StringReplace(S, '''', '''''', [rfReplaceAll]) + '''';
end;

function NormalizePhone(const Phone: string): string;
var
  I: Integer;
begin
  Result := '';
  for I := 1 to Length(Phone) do
    if Phone[I] in ['0'..'9', '+'] then
      Result := Result + Phone[I];
end;

function DataFilePath: string;
begin
  Result := ExtractFilePath(ParamStr(0)) + DataFileName;
end;

end.
