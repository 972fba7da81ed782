#include "views/qt/circular_references_form.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "analysis/project_model.h"
#include "analysis/uses_graph.h"
#include "platform/qt/project_text.h"

namespace tarnwick {

TCircularReferencesForm::TCircularReferencesForm(const ProjectModel& model, QWidget* parent) : QDialog(parent) {
  setObjectName("CircularReferencesForm");
  setWindowTitle("Circular References");
  auto* layout = new QVBoxLayout(this);
  const UsesGraph& graph = model.Uses;
  auto* summary = new QLabel(this);
  summary->setObjectName("CycleSummaryLabel");
  const size_t groups = graph.Cycles.size();
  summary->setText(groups == 0   ? QString("No circular references.")
                   : groups == 1 ? QString("1 group of units that use each other in a circle.")
                                 : QString("%1 groups of units that use each other in a circle.").arg(groups));
  layout->addWidget(summary);
  auto* list = new QTreeWidget(this);
  list->setObjectName("CycleListView");
  list->setHeaderLabels({"Units", "Cycle"});
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  for (const CycleGroup& group : graph.Cycles) {
    list->addTopLevelItem(new QTreeWidgetItem({ProjectQString(CycleUnitsText(graph, group), model.CodePage),
                                               ProjectQString(CycleText(graph, group), model.CodePage)}));
  }
  list->header()->setSectionResizeMode(QHeaderView::Interactive);
  list->resizeColumnToContents(0);
  layout->addWidget(list, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(720, 360);
}

}  // namespace tarnwick
