#include "capture/qt/images_page.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTreeWidget>

#include "capture/image_list.h"
#include "capture/image_page_layout.h"
#include "capture/qt/picture_conversion.h"
#include "platform/qt/project_text.h"
#include "platform/text_encoding.h"

namespace tarnwick {

namespace {

QRect ToQRect(const PageRect& rect) { return QRect(rect.Left, rect.Top, rect.Width, rect.Height); }

}  // namespace

ImagesPage::ImagesPage(ProjectModel& model, Prompter& prompter, std::function<int()> jpegQuality, QWidget* parent)
    : QWidget(parent),
      model_(model),
      prompter_(prompter),
      jpegQuality_(std::move(jpegQuality)),
      imageListView_(new QTreeWidget(this)),
      imagesPopupMenu_(new QMenu(this)),
      imagePreviewPanel_(new QLabel("No image", this)),
      imagePreview_(new QLabel(imagePreviewPanel_)) {
  setObjectName("ImageTabSheet");
  imageListView_->setObjectName("ImageListView");
  imageListView_->setHeaderLabels({"Form Name", "View", "Filename", "Status"});
  imageListView_->setRootIsDecorated(false);
  imageListView_->setUniformRowHeights(true);
  imageListView_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  imageListView_->setSelectionBehavior(QAbstractItemView::SelectRows);
  imageListView_->setContextMenuPolicy(Qt::CustomContextMenu);
  imagesPopupMenu_->setObjectName("ImagesPopupMenu");
  auto item = [this](const char* name, const char* caption, void (ImagesPage::*handler)()) {
    QAction* action = imagesPopupMenu_->addAction(caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, handler);
  };
  item("ImagesPopupSave", "Save", &ImagesPage::ImagesPopupSaveClick);
  item("ImagePopupSaveAll", "Save All", &ImagesPage::ImagePopupSaveAllClick);
  item("ImagesPopupDelete", "Delete", &ImagesPage::ImagesPopupDeleteClick);
  connect(imageListView_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { imagesPopupMenu_->popup(imageListView_->viewport()->mapToGlobal(at)); });
  connect(imageListView_, &QTreeWidget::itemSelectionChanged, this, &ImagesPage::ImageListViewChange);
  imagePreviewPanel_->setObjectName("ImagePreviewPanel");
  imagePreviewPanel_->setAlignment(Qt::AlignCenter);
  imagePreviewPanel_->setFrameShape(QFrame::StyledPanel);
  imagePreview_->setObjectName("ImagePreview");
  imagePreview_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  imagePreview_->hide();
}

void ImagesPage::Refresh() {
  refreshing_ = true;
  imageListView_->clear();
  QList<QTreeWidgetItem*> rows;
  const TextDecoder decoder(model_.CodePage);
  for (const ImageEntry& entry : model_.Images) {
    rows.append(new QTreeWidgetItem(QStringList{DecodedQString(decoder, entry.FormName), DecodedQString(decoder, entry.ViewName),
                                                DecodedQString(decoder, entry.FileName), DecodedQString(decoder, entry.Status)}));
  }
  imageListView_->addTopLevelItems(rows);
  for (size_t i = 0; i < model_.Images.size(); ++i) rows[static_cast<qsizetype>(i)]->setSelected(model_.Images[i].Selected);
  refreshing_ = false;
  ImageListViewChange();
}

void ImagesPage::ImageListViewChange() {
  std::vector<size_t> selected;
  for (size_t i = 0; i < model_.Images.size(); ++i) {
    QTreeWidgetItem* row = imageListView_->topLevelItem(static_cast<int>(i));
    if (!refreshing_ && row) model_.Images[i].Selected = row->isSelected();
    if (model_.Images[i].Selected) selected.push_back(i);
  }
  if (refreshing_) return;
  if (selected.size() >= 2) ShowPreviewMessage("Multiple selected");
  else if (selected.empty()) ShowPreviewMessage("No selection");
  else ShowImagePreview(selected.front());
}

void ImagesPage::ShowImagePreview(size_t index) {
  if (index >= model_.Images.size()) return ShowPreviewMessage("No selecction");
  const std::shared_ptr<Picture>& picture = model_.Images[index].Image;
  QImage image = picture ? ToQImage(*picture) : QImage();
  if (image.isNull()) return ShowPreviewMessage("No image");
  const QSize box = imagePreview_->size();
  const bool unscaled = ShowUnscaled(image.width(), image.height(), box.width(), box.height());
  imagePreview_->setPixmap(QPixmap::fromImage(
      unscaled ? image : image.scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
  imagePreview_->show();
  imagePreviewPanel_->setText(QString());
}

void ImagesPage::ShowPreviewMessage(const QString& text) {
  imagePreview_->clear();
  imagePreview_->hide();
  imagePreviewPanel_->setText(text);
}

void ImagesPage::ImagesPopupSaveClick() {
  SaveSelectedImages(model_, jpegQuality_(), prompter_);
  Refresh();
}

void ImagesPage::ImagePopupSaveAllClick() {
  SaveNewImages(model_, jpegQuality_(), prompter_);
  Refresh();
}

void ImagesPage::ImagesPopupDeleteClick() {
  DeleteSelectedImages(model_, prompter_);
  Refresh();
}

void ImagesPage::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ImageTabSheetResize();
}

void ImagesPage::ImageTabSheetResize() {
  const QSize screenSize = screen() ? screen()->geometry().size() : QSize(4, 3);
  ImagePageLayout layout = tarnwick::ImageTabSheetResize(width(), height(), screenSize.width(), screenSize.height());
  imageListView_->setGeometry(ToQRect(layout.List));
  imagePreviewPanel_->setGeometry(ToQRect(layout.Panel));
  imagePreview_->setGeometry(ToQRect(layout.Preview));
  for (int column = 0; column < 4; ++column)
    imageListView_->setColumnWidth(column, layout.ColumnWidths[static_cast<size_t>(column)]);
  // The picture follows the box's new size.
  if (imagePreview_->isVisible()) ImageListViewChange();
}

}  // namespace tarnwick
