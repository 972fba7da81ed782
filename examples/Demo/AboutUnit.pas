unit AboutUnit;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms,
  Dialogs, StdCtrls, ExtCtrls, BaseDlg;

type
  { The about box only adds a few labels to the base dialog and hides
    its Cancel button. }
  TAboutForm = class(TBaseDialog)
    ProductLabel: TLabel;
    VersionLabel: TLabel;
    NoteLabel: TLabel;
    CountLabel: TLabel;
    procedure FormCreate(Sender: TObject);
  public
    procedure ShowCount(ContactCount: Integer);
  end;

var
  AboutForm: TAboutForm;

implementation

uses
  Common;

{$R *.dfm}

procedure TAboutForm.FormCreate(Sender: TObject);
begin
  Caption := 'About ' + AppTitle;
  ProductLabel.Caption := AppTitle;
  VersionLabel.Caption := Format('Version %s', [AppVersion]);
end;

procedure TAboutForm.ShowCount(ContactCount: Integer);
begin
  case ContactCount of
    0: CountLabel.Caption := 'The address book is empty.';
    1: CountLabel.Caption := 'The address book holds one contact.';
  else
    CountLabel.Caption := Format('The address book holds %d contacts.',
      [ContactCount]);
  end;
end;

end.
