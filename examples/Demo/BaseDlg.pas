unit BaseDlg;

{ The common ancestor of the program's dialogs: a fixed border, a button
  panel at the bottom with OK and Cancel, and a hook to veto closing. }

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms,
  Dialogs, StdCtrls, ExtCtrls;

type
  TBaseDialog = class(TForm)
    ButtonPanel: TPanel;
    ButtonBevel: TBevel;
    OKButton: TButton;
    CancelButton: TButton;
    procedure FormCloseQuery(Sender: TObject; var CanClose: Boolean);
    procedure FormKeyDown(Sender: TObject; var Key: Word; Shift: TShiftState);
  protected
    function CanAccept: Boolean; virtual;
  public
    function Execute: Boolean; virtual;
  end;

var
  BaseDialog: TBaseDialog;

implementation

{$R *.dfm}

function TBaseDialog.CanAccept: Boolean;
begin
  Result := True;
end;

function TBaseDialog.Execute: Boolean;
begin
  Result := ShowModal = mrOk;
end;

procedure TBaseDialog.FormCloseQuery(Sender: TObject; var CanClose: Boolean);
begin
  if ModalResult = mrOk then
    CanClose := CanAccept;
end;

procedure TBaseDialog.FormKeyDown(Sender: TObject; var Key: Word;
  Shift: TShiftState);
begin
  // F1 is not wired to a help file yet; swallow it so nothing beeps.
  if Key = VK_F1 then
    Key := 0;
end;

end.
