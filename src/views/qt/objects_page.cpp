#include "views/qt/objects_page.h"

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <cmath>

#include "platform/qt/project_text.h"
#include "views/qt/filter_dialog_parts.h"
#include "views/qt/object_filter_form.h"

namespace tarnwick {

int HalfWidth(int width) {
  const int half = width / 2;
  return width % 2 == 0 || half % 2 == 0 ? half : half + 1;
}

ObjectsPage::ObjectsPage(ProjectModel& model, ObjectFilter& filter, SettingsStore& store, Prompter& prompter,
                         ProgressSink& progress, QWidget* parent)
    : QWidget(parent),
      model_(model),
      filter_(filter),
      progress_(progress),
      fullModel_(new ObjectTreeModel(this)),
      filteredModel_(new ObjectTreeModel(this)),
      objectTreeView_(new NodeTreeView("ObjectTreeView", this)),
      objectFilterTreeView_(new NodeTreeView("ObjectFilterTreeView", this)),
      propertiesGroupBox_(new QGroupBox("Properties", this)),
      propertyMemo_(new QPlainTextEdit(propertiesGroupBox_)),
      filterForm_(new TObjectFilterForm(filter, store, prompter, this)) {
  setObjectName("ObjectsTabSheet");
  propertiesGroupBox_->setObjectName("PropertiesGroupBox");
  propertyMemo_->setObjectName("PropertyMemo");
  propertyMemo_->setReadOnly(true);
  propertyMemo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  propertyMemo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  propertyMemo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  (new QVBoxLayout(propertiesGroupBox_))->addWidget(propertyMemo_);
  for (QWidget* sized : {static_cast<QWidget*>(objectTreeView_), static_cast<QWidget*>(objectFilterTreeView_),
                         static_cast<QWidget*>(propertyMemo_)}) {
    sized->setFont(QFont("Arial", 10));
  }
  objectTreeView_->setModel(fullModel_);
  objectFilterTreeView_->setModel(filteredModel_);
  for (NodeTreeView* view : {objectTreeView_, objectFilterTreeView_}) {
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { CurObjectTreeViewChange(current); });
  }
  ShowTrees();
}

void ObjectsPage::Detach() {
  fullModel_->SetForest(nullptr);
  filteredModel_->SetForest(nullptr);
}

void ObjectsPage::FollowCodePage() {
  if (decoder_ && decoder_->CodePage() == model_.CodePage) return;
  auto decoder = std::make_unique<TextDecoder>(model_.CodePage);
  fullModel_->SetDecoder(decoder.get());
  filteredModel_->SetDecoder(decoder.get());
  decoder_ = std::move(decoder);
}

void ObjectsPage::ShowTrees() {
  FollowCodePage();
  if (fullModel_->ShownForest() != &model_.ObjectTree) fullModel_->SetForest(&model_.ObjectTree);
  if (filteredModel_->ShownForest() != &filter_.FilteredTree) filteredModel_->SetForest(&filter_.FilteredTree);
  const bool filtered = filter_.CurObjectTreeView == CurrentTree::Filtered;
  objectFilterTreeView_->setVisible(filtered);
  objectTreeView_->setVisible(!filtered);
  ShowMemo();
  emit CaptionChanged(Utf8ToQString(filter_.Caption));
}

Expansion ObjectsPage::ShowOpenedTrees() {
  ShowTrees();
  NodeTreeView* view = CurrentView();
  if (view == nullptr) return {};
  view->SelectFirstRoot();
  return ExpandTree(*view, progress_, "Objects", "Done. ");
}

NodeTreeView* ObjectsPage::CurrentView() const {
  switch (filter_.CurObjectTreeView) {
    case CurrentTree::All: return objectTreeView_;
    case CurrentTree::Filtered: return objectFilterTreeView_;
    case CurrentTree::None: break;
  }
  return nullptr;
}

void ObjectsPage::ExpandAllObjectsItemClick() {
  if (NodeTreeView* view = CurrentView()) ExpandTree(*view, progress_, "Objects");
}

void ObjectsPage::CollapseAllObjectsItemClick() {
  if (NodeTreeView* view = CurrentView()) view->CollapseAll();
}

void ObjectsPage::FilterObjectsItemClick() {
  const int result = filterForm_->Run();
  if (result == kShowAllResult) {
    ShowAllObjects(filter_);
    ShowTrees();
    tarnwick::CurObjectTreeViewChange(filter_, ObjectTreeModel::NodeOf(objectTreeView_->currentIndex()));
    ShowMemo();
  } else if (result == kFilterResult) {
    filteredModel_->SetForest(nullptr);
    ShowFilteredObjects(model_, filter_);
    ShowTrees();
    objectFilterTreeView_->SelectFirstRoot();
  }
  ExpandAllObjectsItemClick();
}

void ObjectsPage::CurObjectTreeViewChange(const QModelIndex& current) {
  tarnwick::CurObjectTreeViewChange(filter_, current.isValid() ? ObjectTreeModel::NodeOf(current) : nullptr);
  ShowMemo();
}

void ObjectsPage::ShowMemo() {
  QString text;
  for (const std::string& line : filter_.PropertyMemo) {
    if (!text.isEmpty()) text += '\n';
    text += decoder_ ? DecodedQString(*decoder_, line) : Utf8ToQString(line);
  }
  propertyMemo_->setPlainText(text);
}

void ObjectsPage::PageEntered() { PlaceControls(static_cast<int>(std::lround(width() * 5.0 / 8.0))); }

void ObjectsPage::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceControls(HalfWidth(width()));
}

void ObjectsPage::PlaceControls(int treeWidth) {
  for (NodeTreeView* view : {objectTreeView_, objectFilterTreeView_}) view->setGeometry(0, 0, treeWidth, height());
  propertiesGroupBox_->setGeometry(treeWidth + 1, 0, width() - treeWidth, height());
}

}  // namespace tarnwick
