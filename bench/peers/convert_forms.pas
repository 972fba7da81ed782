{ convert_forms ROUNDS LIST: converts every binary form file named in LIST
  (one path per line) to form text with Free Pascal's ObjectResourceToText,
  ROUNDS times over, and prints the timings as one JSON object:
    {"files": F, "bytes": B, "output_bytes": O, "seconds": [s1, s2, ...]}
  The files are read into memory first; a round times only the conversions,
  in CPU time of the process, as convert-forms does for our own converter. }
program convert_forms;

{$mode objfpc}{$H+}

uses
  SysUtils, Classes, UnixType;

{$linklib c}

const
  CLOCK_PROCESS_CPUTIME_ID = 2;

function clock_gettime(Clock: cint; Time: ptimespec): cint; cdecl; external 'c';

{ The CPU time of the process in seconds, which a busy machine disturbs less
  than the wall clock. Each step is done in Double: a constant such as 1e9
  would otherwise make the compiler work in single precision. }
function CpuSeconds: Double;
var
  Time: TTimeSpec;
  Nano: Double;
begin
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, @Time);
  Nano := Time.tv_nsec;
  Result := Time.tv_sec;
  Result := Result + Nano / 1000000000.0;
end;

procedure LoadForms(const ListName: string; Forms: TList; out Bytes: Int64);
var
  Names: TStringList;
  Stream: TMemoryStream;
  I: Integer;
begin
  Bytes := 0;
  Names := TStringList.Create;
  try
    Names.LoadFromFile(ListName);
    for I := 0 to Names.Count - 1 do
      if Names[I] <> '' then
      begin
        Stream := TMemoryStream.Create;
        Stream.LoadFromFile(Names[I]);
        Inc(Bytes, Stream.Size);
        Forms.Add(Stream);
      end;
  finally
    Names.Free;
  end;
end;

function ConvertAll(Forms: TList): Int64;
var
  Output: TMemoryStream;
  Input: TMemoryStream;
  I: Integer;
begin
  Result := 0;
  for I := 0 to Forms.Count - 1 do
  begin
    Input := TMemoryStream(Forms[I]);
    Input.Position := 0;
    Output := TMemoryStream.Create;
    try
      ObjectResourceToText(Input, Output);
      Inc(Result, Output.Size);
    finally
      Output.Free;
    end;
  end;
end;

var
  Forms: TList;
  Bytes, OutputBytes: Int64;
  Rounds, Round: Integer;
  Start: Double;
  Seconds: string;
begin
  if (ParamCount <> 2) or (StrToIntDef(ParamStr(1), 0) < 1) then
  begin
    WriteLn(ErrOutput, 'usage: convert_forms ROUNDS LIST');
    Halt(1);
  end;
  Rounds := StrToInt(ParamStr(1));
  Forms := TList.Create;
  try
    LoadForms(ParamStr(2), Forms, Bytes);
    Seconds := '';
    OutputBytes := 0;
    for Round := 1 to Rounds do
    begin
      Start := CpuSeconds;
      OutputBytes := ConvertAll(Forms);
      if Seconds <> '' then
        Seconds := Seconds + ', ';
      Seconds := Seconds + FloatToStrF(CpuSeconds - Start, ffFixed, 15, 6,
        DefaultFormatSettings);
    end;
    WriteLn('{"files": ', Forms.Count, ', "bytes": ', Bytes, ', "output_bytes": ',
      OutputBytes, ', "seconds": [', Seconds, ']}');
  except
    on E: Exception do
    begin
      WriteLn(ErrOutput, 'convert_forms: ', E.ClassName, ': ', E.Message);
      Halt(1);
    end;
  end;
end.
