#include "report/documentation_writer.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <unordered_set>
#include <vector>

#include "capture/image_list.h"
#include "platform/file_system.h"
#include "platform/text_util.h"
#include "platform/win_path.h"
#include "report/html_writer.h"
#include "report/source_listing.h"
#include "report/tree_images.h"
#include "report/tree_text.h"
#include "report/uses_graph_files.h"

namespace tarnwick {

namespace {

constexpr std::string_view kCreationFailed = "There was an error during creation of the HTML file.\r\r";
constexpr std::string_view kProductName = "Tarnwick";
constexpr const char* kDependencyGraphFile = "DependencyGraph.svg";

// Ends a run whose failure has been shown already (an image file that could not be written).
struct RunStopped {};

std::string WithDelimiter(std::string folder) {
  if (!folder.empty() && !IsPathDelimiter(folder.back())) folder += kPathDelim;
  return folder;
}

// "Title.htm" in the documentation folder, else in the program's folder.
std::optional<std::string> FindTitleTemplate(const std::string& documentationFolder,
                                             const std::string& programFolder) {
  for (const std::string& folder : {documentationFolder, programFolder}) {
    if (folder.empty()) continue;
    std::string path = WithDelimiter(folder) + "Title.htm";
    if (FileExists(path)) return path;
  }
  return std::nullopt;
}

std::tm LocalTime(std::time_t moment) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &moment);
#else
  localtime_r(&moment, &local);
#endif
  return local;
}

std::string FormatTime(std::time_t moment, const char* format) {
  std::tm local = LocalTime(moment);
  char text[128];
  size_t length = std::strftime(text, sizeof text, format, &local);
  return std::string(text, length);
}

/// One run of the documentation writer: the state that lives from the head to the end of the
/// file, and the parts of the document in the order they are written.
class DocumentRun {
 public:
  DocumentRun(const DocumentSubject& subject, ReportOptions& options, UserInterface& ui,
              const DocumentationRequest& request, std::time_t now, HtmlWriter& writer)
      : subject_(subject),
        model_(subject.Model),
        options_(options),
        ui_(ui),
        request_(request),
        now_(now),
        writer_(writer) {
    for (const std::string& name : request.SelectedUnits) selectedUnits_.insert(ToLowerAscii(name));
  }

  void Write();
  DocResult Result() const {
    return result_ == DocResult::Written && failures_ > 0 ? DocResult::WrittenWithErrors : result_;
  }
  /// Counts a failure that was shown but did not end the run.
  void NoteFailure() { ++failures_; }

 private:
  void WriteHead();
  void WriteTitlePage();
  void WriteTitle();
  void WriteIndex();
  void IndexImages();
  void IndexSources();
  void IndexDependencies();
  void IndexUnusedUnits();
  void IndexObjects();
  void IndexEntry(std::string_view line);
  void WriteSections();
  void ImageSections();
  void SourceSections();
  void DependencySection();
  void DependencyTable();
  void CircularReferences();
  void DependencyGraphPicture();
  void UnusedUnitsSection();
  void ObjectSection();
  void UnitListing(const UnitEntry& unit);
  void TreePictures(std::string_view baseName, std::string_view caption, const FontChoice& font,
                    bool showProperties, const std::vector<TreeRow>& rows);

  bool ImageIncluded(const ImageEntry& image) const { return options_.ImagesAll || image.Selected; }
  bool UnitSelected(const UnitEntry& unit) const {
    return selectedUnits_.contains(ToLowerAscii(unit.UnitName));
  }
  bool UnitIncluded(const UnitEntry& unit) const {
    return options_.SourceAll || (options_.SourceSelected && UnitSelected(unit));
  }
  const DependencyForest& CurrentDependencies() const {
    return CurrentDependencyTree(model_, subject_.Dependencies);
  }
  const ObjectForest& CurrentObjects() const { return CurrentObjectTree(model_, subject_.Objects); }

  const DocumentSubject& subject_;
  ProjectModel& model_;
  ReportOptions& options_;
  UserInterface& ui_;
  const DocumentationRequest& request_;
  std::time_t now_;
  HtmlWriter& writer_;
  std::unordered_set<std::string> selectedUnits_;  // lower-cased
  std::vector<std::string> formAnchorList_;
  int imagesIndexed_ = 0;
  int unitsIndexed_ = 0;
  int failures_ = 0;
  DocResult result_ = DocResult::NothingSelected;
};

void DocumentRun::Write() {
  WriteHead();
  WriteTitlePage();
  WriteIndex();
  WriteSections();
  writer_.WriteLine("</P>");
  writer_.WriteLine("</Body>");
  writer_.WriteLine("</HTML>");
}

void DocumentRun::WriteHead() {
  writer_.WriteLine("<HTML>");
  writer_.WriteLine("<Head>");
  writer_.WriteLine("   <meta name=\"Author\" content=\"Tarnwick\">");
  writer_.WriteLine("   <meta name=\"GENERATOR\" content=\"Tarnwick\">");
  writer_.WriteLine("   <meta name=\"TimeStamp\" content=\"" + ShortDateText(now_) + " " +
                    LongTimeText(now_) + "\">");
  writer_.WriteLine(kCharsetLine);
  for (std::string_view line :
       {"</Head>", "<Style>", "H2.Page {page-break-before:always}", "H3.Page {page-break-before:always}",
        "P.Page {page-break-before:always}", "</Style>", "<Body>"}) {
    writer_.WriteLine(line);
  }
}

void DocumentRun::WriteTitlePage() {
  WriteTitle();
  writer_.WriteLine("<P>");
  writer_.WriteBreaks(4);
  writer_.WriteLine("</P>");
  for (std::string_view line : {"<P>", "<font size=+1>", "<center>", "Documentation produced by<br><br>"}) {
    writer_.WriteLine(line);
  }
  writer_.WriteLine(std::string(kProductName) + "<br><br>");
  for (std::string_view line : {"<font size=+0>", "</center>", "</P>", "<br><br><br>"}) {
    writer_.WriteLine(line);
  }
}

// The title template when there is one; the built-in title otherwise, or when the template cannot
// be read (that failure is shown, and the document goes on).
void DocumentRun::WriteTitle() {
  std::optional<std::string> path = FindTitleTemplate(model_.DocumentationFolder, request_.ProgramFolder);
  std::optional<std::string> titleTemplate;
  if (path) {
    std::string error;
    titleTemplate = ReadTextFile(*path, &error);
    if (!titleTemplate) {
      ui_.Messages.Show(MessageKind::Warning, "Could not read the title page \r\r" + ToHostPath(*path) +
                                                  "\r\r" + error + "\r\rThe built-in title page is used.");
      NoteFailure();
    }
  }
  if (!titleTemplate) {
    writer_.WriteLine("<H1 CLASS=Page>Project: " + EscapeHtml(ExtractFileName(model_.ProjectFile)) + "</H1>");
    return;
  }
  std::string expanded =
      ExpandTitleTemplate(*titleTemplate, EscapeHtml(model_.ProjectFile), ShortDateText(now_));
  // The template is copied character by character, so a NUL byte in it is simply left out.
  std::erase(expanded, '\0');
  writer_.WriteText(expanded);
}

void DocumentRun::WriteIndex() {
  writer_.WriteLine("<H2 CLASS=Page>Index</H2>");
  writer_.WriteLine("<P>");
  writer_.WriteLine("<DL>");
  for (const std::string& category : options_.PrintOrder) {
    if (category == kFormImages) IndexImages();
    if (category == kSourceCode) IndexSources();
    if (category == kDependencies) IndexDependencies();
    if (category == kUnusedUnits) IndexUnusedUnits();
    if (category == kFormObjects) IndexObjects();
  }
  writer_.WriteLine("</DL></P>");
  writer_.WriteLine();
  writer_.WriteLine("<P>");
  writer_.WriteBreaks(4);
  writer_.WriteLine("</P>");
}

void DocumentRun::IndexEntry(std::string_view line) {
  writer_.WriteLine(line);
  result_ = DocResult::Written;
}

void DocumentRun::IndexImages() {
  if (!options_.ImagesAll && !options_.ImagesSelected) return;
  for (size_t i = 0; i < model_.Images.size(); ++i) {
    if (!ImageIncluded(model_.Images[i])) continue;
    if (model_.Images[i].Status == "New" &&
        SaveImage(model_, i, subject_.JpegQuality, true, ui_.Messages) == SaveOutcome::Failed) {
      throw RunStopped{};
    }
    const ImageEntry& image = model_.Images[i];
    if (imagesIndexed_++ == 0) {
      IndexEntry("<DD><B>Form Images</B></DD>");
      writer_.WriteLine("<DL>");
    }
    IndexEntry("<DD><A HREF=\"#IMAGE" + EscapeHtml(image.FormName + image.ViewName) + "\">" +
               EscapeHtml(image.FormName) + " " + EscapeHtml(image.ViewName) + "</A></DD>");
  }
  if (imagesIndexed_ > 0) writer_.WriteLine("</DL>");
}

void DocumentRun::IndexSources() {
  for (const UnitEntry& unit : model_.Units()) {
    if (!UnitIncluded(unit)) continue;
    if (unitsIndexed_++ == 0) {
      IndexEntry("<DD><B>Source Code</B></DD>");
      writer_.WriteLine("<DL>");
    }
    std::string name = EscapeHtml(unit.UnitName);
    IndexEntry("<DD><A HREF=\"#SOURCE" + name + "\">" + name + "</A></DD>");
  }
  if (unitsIndexed_ > 0) writer_.WriteLine("</DL>");
}

void DocumentRun::IndexDependencies() {
  if (!options_.DependencyAll || CurrentDependencies().empty()) return;
  IndexEntry("<DD><B>Dependencies</B></DD>");
  IndexEntry("<DL><DD><A HREF=\"#UnitDependencies\">Dependency Tree</A></DD></DL>");
  if (options_.DependencyCycles)
    IndexEntry("<DL><DD><A HREF=\"#CircularReferences\">Circular References</A></DD></DL>");
  if (options_.DependencyGraph)
    IndexEntry("<DL><DD><A HREF=\"#DependencyGraph\">Dependency Graph</A></DD></DL>");
}

void DocumentRun::IndexUnusedUnits() {
  if (!options_.UnusedSourceAll || model_.UnusedSources.empty()) return;
  IndexEntry("<DD><B>Unused Units</B></DD>");
  IndexEntry("<DL><DD><A HREF=\"#UnusedUnits\">List of unused units</A></DD></DL>");
}

void DocumentRun::IndexObjects() {
  const ObjectForest& tree = CurrentObjects();
  if (!options_.ObjectsAll || tree.empty()) return;
  IndexEntry("<DD><B>Form Objects</B></DD>");
  writer_.WriteLine("<DL>");
  if (IsTextOutput(options_.ObjectsOutput)) {
    for (const auto& root : tree) {
      std::string formName(FormNameOf(root->Label));
      IndexEntry("<DD><A HREF=\"#OBJECT" + EscapeHtml(formName) + "\">" + EscapeHtml(root->Label) +
                 "</A></DD>");
      formAnchorList_.push_back(std::move(formName));
    }
  } else {
    IndexEntry("<DD><A HREF=\"#FormObjects\">Object Tree</A></DD>");
  }
  writer_.WriteLine("</DL>");
}

void DocumentRun::WriteSections() {
  for (const std::string& category : options_.PrintOrder) {
    if (category == kFormImages) ImageSections();
    if (category == kSourceCode) SourceSections();
    if (category == kDependencies) DependencySection();
    if (category == kUnusedUnits) UnusedUnitsSection();
    if (category == kFormObjects) ObjectSection();
  }
}

void DocumentRun::ImageSections() {
  if (imagesIndexed_ == 0) return;
  bool first = true;
  for (const ImageEntry& image : model_.Images) {
    if (options_.ImagesSelected && !image.Selected) continue;
    writer_.WriteLine("<P CLASS=Page><br clear=all></P>");
    if (first) writer_.WriteLine("<H2>Form Images</H2>");
    first = false;
    writer_.WriteLine("<A NAME=\"IMAGE" + EscapeHtml(image.FormName + image.ViewName) + "\"></A>");
    writer_.ImageTableStart("<H3 ALIGN=\"LEFT\">" + EscapeHtml(image.FormName) + " " +
                            EscapeHtml(image.ViewName) + "</H3>");
    int width = image.Image ? image.Image->Width : 0;
    int height = image.Image ? image.Image->Height : 0;
    writer_.ImageRow(EscapeHtml(image.FileName), width, height);
    writer_.ImageTableEnd();
    writer_.WriteLine();
  }
}

void DocumentRun::SourceSections() {
  if (unitsIndexed_ == 0) return;
  bool first = true;
  for (const UnitEntry& unit : model_.Units()) {
    if (options_.SourceSelected && !UnitSelected(unit)) continue;
    writer_.WriteLine("<P CLASS=Page><br clear=all></P>");
    if (first) writer_.WriteLine("<H2>Source Code</H2>");
    first = false;
    ui_.Progress.SetStatusText("Processing " + unit.UnitName);
    ui_.Progress.Step();
    std::string name = EscapeHtml(unit.UnitName);
    writer_.WriteLine("<A NAME=\"SOURCE" + name + "\"></A>");
    writer_.WriteLine("<H3>" + name + "</H3>");
    writer_.FontOpen(options_.SourceFont, options_.SourceCodeFontSize);
    UnitListing(unit);
    writer_.WriteLine("</font>");
    writer_.WriteLine("</P>");
    writer_.WriteLine();
  }
  writer_.WriteLine("<br>");
  writer_.WriteLine();
}

// A unit whose source cannot be read says so in its section, and the document goes on.
void DocumentRun::UnitListing(const UnitEntry& unit) {
  try {
    SourceToHtml(model_, unit.UnitName, options_, writer_, ui_);
  } catch (const DocumentError& failure) {
    writer_.WriteLine("<I>The source could not be read. " + EscapeHtml(failure.what()) + "</I><BR>");
    // Shown once: the analysis may have shown the same file's failure already.
    if (!model_.ReportedUnreadable.contains(ToLowerAscii(ToHostPath(UnitSourceFile(model_, unit.UnitName))))) {
      ui_.Messages.Show(MessageKind::Error, failure.what());
    }
    NoteFailure();
  }
}

void DocumentRun::DependencySection() {
  if (!options_.DependencyAll) return;
  if (model_.DependencyTree.empty()) {
    writer_.WriteLine();
    return;
  }
  ui_.Progress.SetStatusText("Drawing dependency tree...");
  ui_.Progress.Step();
  DependencyTable();
  writer_.WriteLine("<P CLASS=Page><br clear=all></P>");
  writer_.WriteLine("<A NAME=\"UnitDependencies\"></A>");
  if (IsTextOutput(options_.DependencyOutput)) {
    WriteDependencyText(CurrentDependencies(), options_, writer_);
  } else {
    FontChoice font{options_.DependencyFont, options_.DependencyFontSize};
    TreePictures("Dependencies", "<H3 ALIGN=\"LEFT\">Dependencies</H3>", font, false,
                 DependencyRowsOf(CurrentDependencies(), options_));
  }
  if (options_.DependencyCycles) CircularReferences();
  if (options_.DependencyGraph) DependencyGraphPicture();
  writer_.WriteLine("</font>");
  writer_.WriteLine();
}

void DocumentRun::CircularReferences() {
  writer_.WriteLine("<A NAME=\"CircularReferences\"></A>");
  writer_.WriteLine("<H3>Circular References</H3>");
  writer_.WriteLine("<P>");
  const std::vector<std::string> rows = CycleGroupRows(model_.Uses);
  if (rows.empty()) writer_.WriteLine("No circular references.<BR>");
  for (const std::string& row : rows) writer_.WriteLine(EscapeHtml(row) + "<BR>");
  writer_.WriteLine("</P>");
}

// The picture is made again at every run, since the units may have changed since the last one.
void DocumentRun::DependencyGraphPicture() {
  ui_.Progress.SetStatusText("Drawing dependency graph...");
  ui_.Progress.Step();
  std::string error;
  if (!WriteUsesGraphSvg(model_.Uses, model_.DocumentationFolder + kDependencyGraphFile, model_.CodePage, error)) {
    ui_.Messages.Show(MessageKind::Error, "Could not draw the dependency graph.\r\r" + error);
    return;
  }
  writer_.WriteLine("<A NAME=\"DependencyGraph\"></A>");
  writer_.WriteLine("<H3>Dependency Graph</H3>");
  writer_.WriteLine("<P><IMG SRC=\"" + std::string(kDependencyGraphFile) + "\" ALT=\"Dependency Graph\"></P>");
}

void DocumentRun::DependencyTable() {
  writer_.WriteLine("<P CLASS=Page><br clear=all></P>");
  writer_.WriteLine("<table WIDTH=\"100%\" CELLSPACING=\"0\" CELLPADDING=\"0\">");
  writer_.WriteLine("<caption ALIGN=\"TOP\"><H2 ALIGN=\"LEFT\">Source Dependencies</H2></caption>");
  writer_.WriteLine("<TR>");
  writer_.WriteLine("<TD COLSPAN=2><H3>Form and unit names</H3></TD>");
  writer_.FontOpen(options_.DependencyFont, options_.DependencyFontSize);
  for (std::string_view line :
       {"<TR>", "<TD WIDTH=\"20%\"><U>Form</U></TD>", "<TD><U>Unit</U></TD>", "</TR>"}) {
    writer_.WriteLine(line);
  }
  for (const UnitEntry& unit : model_.Units()) {
    writer_.WriteLine("<TR>");
    writer_.WriteLine("<TD>" + EscapeHtml(unit.FormName) + "</TD>");
    writer_.WriteLine("<TD>" + EscapeHtml(unit.UnitName) + "</TD>");
    writer_.WriteLine("</TR>");
  }
  writer_.WriteLine("</TABLE><br>");
  writer_.WriteLine();
}

void DocumentRun::UnusedUnitsSection() {
  if (!options_.UnusedSourceAll || model_.UnusedSources.empty()) return;
  writer_.WriteLine("<A NAME=\"UnusedUnits\"></A>");
  writer_.WriteLine("<H2 CLASS=Page>Unused Units</H2>");
  writer_.FontOpen(options_.UnusedFont.Face, options_.UnusedFont.Size);
  for (const std::string& unit : model_.UnusedSources) writer_.WriteLine(EscapeHtml(unit) + "<BR>");
  writer_.WriteLine("</font>");
  writer_.WriteLine();
}

void DocumentRun::ObjectSection() {
  if (!options_.ObjectsAll) return;
  if (model_.ObjectTree.empty()) {
    writer_.WriteLine();
    return;
  }
  ui_.Progress.SetStatusText("Drawing objects tree...");
  ui_.Progress.Step();
  writer_.WriteLine("<P CLASS=Page><br clear=all></P>");
  if (IsTextOutput(options_.ObjectsOutput)) {
    WriteObjectText(CurrentObjects(), options_, formAnchorList_, writer_);
  } else {
    writer_.WriteLine("<A NAME=\"FormObjects\"></A>");
    FontChoice font{options_.ObjectsFont, options_.ObjectsFontSize1};
    TreePictures("Objects", "<H2 ALIGN=\"LEFT\">Form Objects</H2>", font, options_.ObjectsShowProperties,
                 TreeRowsOf(CurrentObjects()));
  }
  writer_.WriteLine();
}

void DocumentRun::TreePictures(std::string_view baseName, std::string_view caption, const FontChoice& font,
                               bool showProperties, const std::vector<TreeRow>& rows) {
  TreeImageRequest request;
  request.BaseName = baseName;
  request.Font = font;
  request.ShowProperties = showProperties;
  request.Rows = &rows;
  request.LinesPerImage = options_.LinesPerImage;
  request.ProgressiveDisplay = options_.ProgressiveDisplay;
  request.JpegQuality = subject_.JpegQuality;
  request.DocumentationFolder = model_.DocumentationFolder;
  request.CodePage = model_.CodePage;
  std::vector<TreePage> pages = DrawTreeImages(request, ui_);
  writer_.ImageTableStart(caption);
  for (const TreePage& page : pages) writer_.ImageRow(page.FileName, page.Width, page.Height);
  writer_.ImageTableEnd();
}

}  // namespace

std::string DocumentationFilePath(const ProjectModel& model) {
  return model.DocumentationFolder + ChangeFileExt(ExtractFileName(model.ProjectFile), ".html");
}

DocResult WriteDocumentation(const DocumentSubject& subject, ReportOptions& options, UserInterface& ui,
                             const DocumentationRequest& request) {
  const ProjectModel& model = subject.Model;
  std::string path = DocumentationFilePath(model);
  if (FileExists(path) &&
      ui.Messages.Show(MessageKind::Confirmation, "Overwrite file \r\r" + ToHostPath(path) + "?" + "\r",
                       MessageButtons::OkCancel) != MessageAnswer::Ok) {
    return DocResult::Declined;
  }
  if (!DirectoryExists(model.DocumentationFolder) && !CreateFolder(model.DocumentationFolder)) {
    ui.Messages.Show(MessageKind::Error, "Could not create dir " + model.DocumentationFolder);
    return DocResult::NoFolder;
  }
  // The document goes to a temporary file that replaces the old one only once it is complete.
  TextDecoder decoder(model.CodePage);
  HtmlWriter writer(&decoder);
  std::string error;
  if (!writer.Open(ToHostPath(path), &error)) {
    ui.Messages.Show(MessageKind::Error, "Cannot create file \"" + path + "\". " + error);
    return DocResult::NoFile;
  }
  DocumentRun run(subject, options, ui, request, request.Now.value_or(std::time(nullptr)), writer);
  std::optional<std::string> failure;
  bool stopped = false;
  try {
    FolderListingCache listings;
    run.Write();
  } catch (const RunStopped&) {
    stopped = true;  // the image list has shown its own failure
  } catch (const std::exception& e) {
    failure = e.what();
  }
  if (failure || stopped) {
    writer.Abandon();
  } else if (!writer.Commit(&error)) {
    failure = error;
  }
  if (failure) ui.Messages.Show(MessageKind::Error, std::string(kCreationFailed) + *failure);
  ui.Progress.SetStatusText("");
  ui.Progress.Reset();
  return failure || stopped ? DocResult::NoFile : run.Result();
}

std::string ExpandTitleTemplate(std::string_view titleTemplate, std::string_view projectPath,
                                std::string_view date) {
  std::string result;
  size_t i = 0;
  auto pairAt = [&](size_t k) { return k + 1 < titleTemplate.size() && titleTemplate[k] == '%'; };
  while (i < titleTemplate.size()) {
    char c = titleTemplate[i];
    if (!pairAt(i)) {
      result += c;
      ++i;
      continue;
    }
    if (titleTemplate[i + 1] != '%') {
      result.append(titleTemplate.substr(i, 2));
      i += 2;
      continue;
    }
    // A field: its name runs to the next "%%" or to the end of the template.
    i += 2;
    std::string name;
    while (i < titleTemplate.size() && !(pairAt(i) && titleTemplate[i + 1] == '%')) {
      size_t take = pairAt(i) ? 2 : 1;
      name.append(titleTemplate.substr(i, take));
      i += take;
    }
    i = std::min(i + 2, titleTemplate.size());
    if (EqualsNoCase(name, "project")) result.append(projectPath);
    if (EqualsNoCase(name, "date")) result.append(date);
  }
  return result;
}

std::string ShortDateText(std::time_t moment) { return FormatTime(moment, "%x"); }

std::string LongTimeText(std::time_t moment) { return FormatTime(moment, "%X"); }

}  // namespace tarnwick
