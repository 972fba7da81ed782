#pragma once

#include <ctime>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "analysis/project_model.h"
#include "platform/user_interface.h"
#include "report/report_options.h"
#include "views/dependency_filter.h"
#include "views/object_filter.h"

namespace tarnwick {

/// How a document run ended. `Written`: at least one index entry was written.
/// `WrittenWithErrors`: written to its end, but a part could not be made (an unreadable unit);
/// the failures have been shown and the document says where. `NothingSelected`:
/// the file holds no index entry (the caller says "You have not selected anything to print.").
/// `Declined`: the user kept an existing file. `NoFolder`: the documentation folder could not be
/// created. `NoFile`: the output file could not be created or the run failed; its failure has
/// been shown and the old file stays as it was. The last three leave the options window open
/// without a further message.
enum class DocResult { Declined, NoFolder, NothingSelected, Written, WrittenWithErrors, NoFile };

/// What a document describes: the open project, the state of both tree pages (which tree is
/// current, the filtered copies), and the JPEG quality of pictures saved on the way.
struct DocumentSubject {
  ProjectModel& Model;
  const DependencyFilter& Dependencies;
  const ObjectFilter& Objects;
  int JpegQuality = 100;
};

/// What a document run takes from the main window beyond its subject.
struct DocumentationRequest {
  /// The unit names of the Source list's selected rows (compared without regard to case). The
  /// Images list's selection is `ImageEntry::Selected`.
  std::set<std::string> SelectedUnits;
  /// The folder of the program's own executable, searched for "Title.htm" after the
  /// documentation folder.
  std::string ProgramFolder;
  /// The moment written into the head and the title page; the current time when not given.
  std::optional<std::time_t> Now;
};

/// Writes the HTML documentation of the open project into its documentation folder: head, title
/// page, index and the chosen sections in the print order. Saves new images on the way (asking
/// before overwriting files), reports progress and failures through `ui`, and gives the result.
/// The file is named after the project file with ".html".
DocResult WriteDocumentation(const DocumentSubject& subject, ReportOptions& options, UserInterface& ui,
                             const DocumentationRequest& request);

/// The path of the documentation file of the open project.
std::string DocumentationFilePath(const ProjectModel& model);

/// A title template with its fields replaced: "%%" + name + "%%", the name compared without
/// regard to case; "project" gives `projectPath`, "date" gives `date`, any other name nothing. A
/// "%" and the character after it are taken together, in a name and outside; the end of the
/// template ends an open field.
std::string ExpandTitleTemplate(std::string_view titleTemplate, std::string_view projectPath,
                                std::string_view date);

/// A date in the system's short date format and a time in its long time format, both local.
std::string ShortDateText(std::time_t moment);
std::string LongTimeText(std::time_t moment);

}  // namespace tarnwick
