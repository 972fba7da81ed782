unit Contacts;

{ The in-memory model of the address book: one TContact per entry and a
  TContactList that owns them. The data module fills the list, the forms
  show and edit it. }

interface

uses
  SysUtils, Classes, Contnrs, Common;

type
  TContact = class(TPersistent)
  private
    FID: Integer;
    FFirstName: string;
    FLastName: string;
    FEmail: string;
    FPhone: string;
    FCategory: TContactCategory;
    FRating: Double;
    FFavourite: Boolean;
    FNotes: TStringList;
    function GetDisplayName: string;
    procedure SetNotes(Value: TStringList);
  public
    constructor Create;
    destructor Destroy; override;
    procedure Assign(Source: TPersistent); override;
    function Matches(const Text: string; MatchCase: Boolean): Boolean;
    property DisplayName: string read GetDisplayName;
  published
    property ID: Integer read FID write FID;
    property FirstName: string read FFirstName write FFirstName;
    property LastName: string read FLastName write FLastName;
    property Email: string read FEmail write FEmail;
    property Phone: string read FPhone write FPhone;
    property Category: TContactCategory read FCategory write FCategory;
    property Rating: Double read FRating write FRating;
    property Favourite: Boolean read FFavourite write FFavourite;
    property Notes: TStringList read FNotes write SetNotes;
  end;

  TContactList = class(TObjectList)
  private
    function GetContact(Index: Integer): TContact;
  public
    function Add(Contact: TContact): Integer;
    function FindByID(ID: Integer): TContact;
    function CountIn(Category: TContactCategory): Integer;
    procedure SortByName;
    property Contacts[Index: Integer]: TContact read GetContact; default;
  end;

implementation

function CompareContacts(Item1, Item2: Pointer): Integer;
begin
  Result := AnsiCompareText(TContact(Item1).DisplayName,
    TContact(Item2).DisplayName);
end;

{ TContact }

constructor TContact.Create;
begin
  inherited Create;
  FNotes := TStringList.Create;
  FCategory := ccOther;
end;

destructor TContact.Destroy;
begin
  FNotes.Free;
  inherited Destroy;
end;

procedure TContact.Assign(Source: TPersistent);
var
  Other: TContact;
begin
  if Source is TContact then
  begin
    Other := TContact(Source);
    FID := Other.ID;
    FFirstName := Other.FirstName;
    FLastName := Other.LastName;
    FEmail := Other.Email;
    FPhone := Other.Phone;
    FCategory := Other.Category;
    FRating := Other.Rating;
    FFavourite := Other.Favourite;
    FNotes.Assign(Other.Notes);
  end
  else
    inherited Assign(Source);
end;

function TContact.GetDisplayName: string;
begin
  Result := JoinName(FFirstName, FLastName);
  if Result = '' then
    Result := FEmail;
end;

procedure TContact.SetNotes(Value: TStringList);
begin
  FNotes.Assign(Value);
end;

function TContact.Matches(const Text: string; MatchCase: Boolean): Boolean;
var
  Haystack, Needle: string;
begin
  Haystack := DisplayName + #9 + FEmail + #9 + FPhone;
  Needle := Text;
  if not MatchCase then
  begin
    Haystack := AnsiLowerCase(Haystack);
    Needle := AnsiLowerCase(Needle);
  end;
  Result := (Needle = '') or (Pos(Needle, Haystack) > 0);
end;

{ TContactList }

function TContactList.GetContact(Index: Integer): TContact;
begin
  Result := TContact(Items[Index]);
end;

function TContactList.Add(Contact: TContact): Integer;
begin
  Result := inherited Add(Contact);
end;

function TContactList.FindByID(ID: Integer): TContact;
var
  I: Integer;
begin
  for I := 0 to Count - 1 do
    if Contacts[I].ID = ID then
    begin
      Result := Contacts[I];
      Exit;
    end;
  Result := nil;
end;

function TContactList.CountIn(Category: TContactCategory): Integer;
var
  I: Integer;
begin
  Result := 0;
  for I := 0 to Count - 1 do
    if Contacts[I].Category = Category then
      Inc(Result);
end;

procedure TContactList.SortByName;
begin
  Sort(CompareContacts);
end;

end.
