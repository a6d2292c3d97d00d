#include "gui/view/AxisProfile.h"

#include "graph/model/Graph.h"

#include <QSettings>

namespace {

const QString kReadable = QStringLiteral("View/ReadableAxes");
const QString kPiUnits = QStringLiteral("View/PiUnitsOnX");

}  // namespace

void LoadAxisLabels(CGraph &graph)
{
    const QSettings profile(QStringLiteral("HALDEN"), QStringLiteral("Corvanta"));
    graph.SetAxisLabels(profile.value(kReadable, true).toBool(), profile.value(kPiUnits, false).toBool());
}

void SaveAxisLabels(const CViewState &view)
{
    QSettings profile(QStringLiteral("HALDEN"), QStringLiteral("Corvanta"));
    profile.setValue(kReadable, view.m_bReadableAxes);
    profile.setValue(kPiUnits, view.m_bPiUnits);
}
