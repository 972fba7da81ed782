unit Unused;

{ Export of the address book to a comma separated file.

  No longer part of the program since the data module writes XML; the unit
  stays in the folder until the export returns as a menu command. }

interface

uses
  SysUtils, Classes, Contacts;

procedure ExportToCsv(List: TContactList; const FileName: string);

implementation

uses
  Common;

const
  Separator = ';';

// A field that holds the separator, a quote or a line break is quoted,
// and its quotes are doubled: He said "hi" becomes "He said ""hi""".
function CsvField(const S: string): string;
begin
  if (Pos(Separator, S) > 0) or (Pos('"', S) > 0) or (Pos(#13, S) > 0) then
    Result := '"' + StringReplace(S, '"', '""', [rfReplaceAll]) + '"'
  else
    Result := S;
end;

procedure ExportToCsv(List: TContactList; const FileName: string);
var
  Lines: TStringList;
  I: Integer;
  C: TContact;
begin
  Lines := TStringList.Create;
  try
    Lines.Add('Last name;First name;E-mail;Phone;Category');
    for I := 0 to List.Count - 1 do
    begin
      C := List[I];
      Lines.Add(CsvField(C.LastName) + Separator + CsvField(C.FirstName) +
        Separator + CsvField(C.Email) + Separator + CsvField(C.Phone) +
        Separator + CategoryNames[C.Category]);
    end;
    Lines.SaveToFile(FileName);
  finally
    Lines.Free;
  end;
end;

end.
