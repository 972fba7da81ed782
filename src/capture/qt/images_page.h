#pragma once

#include <QWidget>
#include <functional>

#include "analysis/project_model.h"
#include "platform/user_interface.h"

class QLabel;
class QMenu;
class QTreeWidget;

namespace tarnwick {

/// The Images page: `ImageListView` over the model's image list (four columns, several rows
/// selectable, the list's own order) with the pop-up menu `ImagesPopupMenu`, and below it
/// `ImagePreviewPanel` holding `ImagePreview`, which shows the selected picture or a message.
/// The model stays the owner of the entries; the page mirrors the selection into them.
class ImagesPage final : public QWidget {
  Q_OBJECT
 public:
  /// `model` and `prompter` outlive the page; `jpegQuality` gives the quality for saving.
  ImagesPage(ProjectModel& model, Prompter& prompter, std::function<int()> jpegQuality, QWidget* parent = nullptr);

  /// Shows the list as the model holds it now, with its selection, and the preview that goes
  /// with it.
  void Refresh();
  void ShowImagePreview(size_t index);
  void ShowPreviewMessage(const QString& text);
  QTreeWidget* ImageListView() const { return imageListView_; }

 public slots:
  void ImagesPopupSaveClick();
  void ImagePopupSaveAllClick();
  void ImagesPopupDeleteClick();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ImageListViewChange();
  void ImageTabSheetResize();

  ProjectModel& model_;
  Prompter& prompter_;
  std::function<int()> jpegQuality_;
  QTreeWidget* imageListView_;
  QMenu* imagesPopupMenu_;
  QLabel* imagePreviewPanel_;
  QLabel* imagePreview_;
  bool refreshing_ = false;
};

}  // namespace tarnwick
