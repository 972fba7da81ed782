{ txt2dfm - converts between the text and the binary form of form files.

    txt2dfm encode <text file> <binary form file>
    txt2dfm decode <binary form file> <text file>
    txt2dfm compare <text file> <text file>

  encode writes the resource header (0xFF, type 10, the upper-cased class
  name, flags, size) followed by the "TPF0" component stream; decode turns
  such a file back into text; compare reads two texts token by token and
  reports the first difference. Concatenated string pieces are joined,
  binary data is compared byte by byte and floats by value, so that two
  texts that differ only in line breaks or in the digits of a float match. }
program txt2dfm;

{$mode objfpc}{$H+}

uses
  SysUtils, Classes;

procedure Encode(const InName, OutName: string);
var
  Input: TFileStream;
  Output: TMemoryStream;
begin
  Input := TFileStream.Create(InName, fmOpenRead or fmShareDenyWrite);
  Output := TMemoryStream.Create;
  try
    ObjectTextToResource(Input, Output);
    Output.SaveToFile(OutName);
  finally
    Output.Free;
    Input.Free;
  end;
end;

procedure Decode(const InName, OutName: string);
var
  Input: TFileStream;
  Output: TMemoryStream;
begin
  Input := TFileStream.Create(InName, fmOpenRead or fmShareDenyWrite);
  Output := TMemoryStream.Create;
  try
    ObjectResourceToText(Input, Output);
    Output.SaveToFile(OutName);
  finally
    Output.Free;
    Input.Free;
  end;
end;

{ Reads one value token from the parser and describes it as text; the
  parser is left on the token after it. }
function TokenText(Parser: TParser; out IsFloat: Boolean;
  out Value: Extended): string;
var
  Bytes: TMemoryStream;
  I: Integer;
begin
  IsFloat := False;
  Value := 0;
  case Parser.Token of
    toString, toWString:
      begin
        Result := Parser.TokenString;
        while Parser.NextToken = '+' do
        begin
          Parser.NextToken;
          Result := Result + Parser.TokenString;
        end;
        Result := 'string ' + Result;
        Exit;
      end;
    toFloat:
      begin
        IsFloat := True;
        Value := Parser.TokenFloat;
        Result := 'float ' + FloatToStr(Value);
      end;
    '{':
      begin
        Bytes := TMemoryStream.Create;
        try
          Parser.HexToBinary(Bytes);
          Result := 'binary ';
          for I := 0 to Bytes.Size - 1 do
            Result := Result + IntToHex(PByte(Bytes.Memory)[I], 2);
        finally
          Bytes.Free;
        end;
      end;
  else
    Result := 'token ' + Parser.TokenString;
  end;
  Parser.NextToken;
end;

function Compare(const NameA, NameB: string): Boolean;
var
  StreamA, StreamB: TFileStream;
  ParserA, ParserB: TParser;
  TextA, TextB: string;
  FloatA, FloatB: Boolean;
  ValueA, ValueB: Extended;
  Same: Boolean;
  LineA, LineB: Integer;
begin
  Result := True;
  StreamA := TFileStream.Create(NameA, fmOpenRead or fmShareDenyWrite);
  StreamB := TFileStream.Create(NameB, fmOpenRead or fmShareDenyWrite);
  ParserA := TParser.Create(StreamA);
  ParserB := TParser.Create(StreamB);
  try
    while (ParserA.Token <> toEOF) or (ParserB.Token <> toEOF) do
    begin
      LineA := ParserA.SourceLine;
      LineB := ParserB.SourceLine;
      TextA := TokenText(ParserA, FloatA, ValueA);
      TextB := TokenText(ParserB, FloatB, ValueB);
      if FloatA and FloatB then
        Same := Abs(ValueA - ValueB) <= 1E-12 * (Abs(ValueA) + Abs(ValueB))
      else
        Same := TextA = TextB;
      if not Same then
      begin
        WriteLn(ErrOutput, NameA, ' line ', LineA, ': ', TextA);
        WriteLn(ErrOutput, NameB, ' line ', LineB, ': ', TextB);
        Result := False;
        Exit;
      end;
    end;
  finally
    ParserB.Free;
    ParserA.Free;
    StreamB.Free;
    StreamA.Free;
  end;
end;

begin
  try
    if (ParamCount = 3) and (ParamStr(1) = 'encode') then
      Encode(ParamStr(2), ParamStr(3))
    else if (ParamCount = 3) and (ParamStr(1) = 'decode') then
      Decode(ParamStr(2), ParamStr(3))
    else if (ParamCount = 3) and (ParamStr(1) = 'compare') then
    begin
      if not Compare(ParamStr(2), ParamStr(3)) then
        Halt(1);
    end
    else
    begin
      WriteLn(ErrOutput, 'usage: txt2dfm encode|decode|compare <input> <output>');
      Halt(2);
    end;
  except
    on E: Exception do
    begin
      WriteLn(ErrOutput, 'txt2dfm: ', E.Message);
      Halt(1);
    end;
  end;
end.
