program Demo;

{ Address Book - keeps the names, e-mail addresses and phone numbers of
  family, friends and colleagues in one small data file. }

uses
  Forms,
  Common in 'Lib\Common.pas',
  Contacts in 'Contacts.pas',
  DataMod in 'DataMod.pas' {DM: TDataModule},
  SearchFrm in 'SearchFrm.pas' {SearchFrame: TFrame},
  BaseDlg in 'BaseDlg.pas' {BaseDialog},
  MainUnit in 'MainUnit.pas' {MainForm},
  EditUnit in 'EditUnit.pas' {EditForm},
  AboutUnit in 'AboutUnit.pas' {AboutForm};

{$R *.res}

begin
  Application.Initialize;
  Application.Title := 'Address Book';
  Application.CreateForm(TMainForm, MainForm);
  Application.CreateForm(TDM, DM);
  Application.CreateForm(TEditForm, EditForm);
  Application.Run;
end.
