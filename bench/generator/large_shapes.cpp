#include "large_shapes.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace tarnwick {

namespace {

void WriteFile(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string Unit(int index) { return "U" + std::to_string(index); }

// The project file naming units U0 .. U(count-1) with their paths; U0 is the main form's unit.
std::string WriteProjectFile(const std::string& folder, int count) {
  std::string text = "program P;\r\n\r\nuses\r\n";
  for (int i = 0; i < count; ++i) {
    text += "  " + Unit(i) + " in '" + Unit(i) + ".pas'" + (i == 0 ? " {MainForm}" : "") +
            (i + 1 < count ? ",\r\n" : ";\r\n");
  }
  text += "\r\nbegin\r\n  Application.CreateForm(TMainForm, MainForm);\r\nend.\r\n";
  WriteFile(folder + "/P.dpr", text);
  return folder + "/P.dpr";
}

void WriteUnit(const std::string& folder, int index, const std::string& uses) {
  WriteFile(folder + "/" + Unit(index) + ".pas",
            "unit " + Unit(index) + ";\r\n\r\ninterface\r\n\r\nuses " + uses +
                ";\r\n\r\nimplementation\r\n\r\nend.\r\n");
}

std::string OneFormProject(const std::string& folder, const std::string& form) {
  std::string project = WriteProjectFile(folder, 1);
  WriteUnit(folder, 0, "SysUtils");
  WriteFile(folder + "/U0.dfm", form);
  return project;
}

}  // namespace

std::string WriteLargeSettings(const std::string& folder, size_t bytes, bool oneLongLine) {
  std::string text = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Merrowind\\Tarnwick]\n";
  if (oneLongLine) {
    text += "\"Long\"=\"";
    while (text.size() < bytes) text += "a quoted \\\"text\\\" with a \\\\ backslash ";
    text += "\"\n";
  } else {
    for (int i = 0; text.size() < bytes; ++i)
      text += "\"Value" + std::to_string(i) + "\"=\"text of value " + std::to_string(i) + "\"\n";
  }
  WriteFile(folder + "/settings.reg", text);
  return folder + "/settings.reg";
}

std::string WriteManyUnitsProject(const std::string& folder, int units) {
  std::string project = WriteProjectFile(folder, units);
  for (int i = 0; i < units; ++i)
    WriteUnit(folder, i, Unit((i * 7 + 1) % units) + ", " + Unit((i * 13 + 5) % units) + ", SysUtils");
  return project;
}

std::string WriteUnitChainProject(const std::string& folder, int units) {
  std::string project = WriteProjectFile(folder, units);
  for (int i = 0; i < units; ++i) WriteUnit(folder, i, i + 1 < units ? Unit(i + 1) : "SysUtils");
  return project;
}

std::string WriteMissingUsesProject(const std::string& folder, int entries) {
  std::string project = WriteProjectFile(folder, 1);
  std::string uses = "SysUtils";
  for (int i = 0; i < entries; ++i) uses += ", Missing" + std::to_string(i * 7919 % entries);
  WriteUnit(folder, 0, uses);
  return project;
}

std::string WriteLargeTextFormProject(const std::string& folder, int lines, bool openCollections) {
  std::string form = "object MainForm: TMainForm\r\n";
  if (openCollections) {
    for (int i = 0; i < lines; ++i) form += "  Items" + std::to_string(i) + " = <\r\n    item\r\n";
  } else {
    for (int i = 0; i * 6 < lines; ++i) {
      form += "  object Label" + std::to_string(i) + ": TLabel\r\n    Left = 8\r\n    Top = " + std::to_string(i) +
              "\r\n    Caption = 'Label number " + std::to_string(i) + "'\r\n    Width = 100\r\n  end\r\n";
    }
  }
  return OneFormProject(folder, form + "end\r\n");
}

std::string WriteLongListFormProject(const std::string& folder, int items) {
  std::string form = "object MainForm: TMainForm\r\n  object List: TListBox\r\n    Items.Strings = (\r\n";
  for (int i = 0; i < items; ++i) form += "      'Item number " + std::to_string(i) + "'\r\n";
  form += "      'Last')\r\n  end\r\nend\r\n";
  return OneFormProject(folder, form);
}

}  // namespace tarnwick
