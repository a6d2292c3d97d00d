// A fake frame for the view: range fields, bars, the expression bar.
#pragma once

#include "gui/MessageRecorder.h"
#include "gui/view/CommandIds.h"
#include "gui/view/CorvantaView.h"
#include "gui/view/ViewHost.h"
#include "gui/app/CorvantaDoc.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <map>

class CFakeHost : public CViewHost
{
public:
    QString RangeFieldText(int id) const override { return fields.count(id) ? fields.at(id) : QString(); }
    void SetRangeFieldText(int id, const QString &text) override { fields[id] = text; }
    void FocusFunctionList() override { ++focus; }
    void SetBarVisible(int id, bool visible) override { bars[id] = visible; }
    void OnFirstPaint() override { ++firstPaints; }
    CDocumentSync::Outcome SyncDocument(SGraphState &view, SGraphState &snapshot,
                                        const std::function<void(bool)> &clearGraph) override
    {
        ++syncs;
        return doc ? doc->SyncView(view, snapshot, clearGraph) : CDocumentSync::Outcome{};
    }
    QString FunctionListText() const override { return edit; }
    void SetFunctionListText(const QString &text) override { edit = text; }
    int FunctionListCount() const override { return static_cast<int>(entries.size()); }
    void AppendFunctionListEntry(const QString &text) override { entries.append(text); }
    void InsertFunctionListEntry(int index, const QString &text) override
    {
        entries.insert(std::min<qsizetype>(index, entries.size()), text);
    }
    void RemoveFunctionListEntry(int index) override
    {
        if (index >= 0 && index < entries.size())  // as a combo box: ignore others
            entries.removeAt(index);
    }
    void ClearFunctionList() override { entries.clear(), edit.clear(), selected = -1; }
    void SelectFunctionListEntry(int index) override { selected = index; }
    void SetDerivativeText(const QString &text) override { derivative = text; }
    void SetIndicatorColor(const QColor &color) override { indicator = color; }
    bool IsNewDocument() const override { return newDocument || (doc && doc->m_bNewDocument); }

    std::map<int, QString> fields;
    std::map<int, bool> bars;
    QString edit;
    QStringList entries;
    int selected = -1;
    QString derivative = QStringLiteral("untouched");
    QColor indicator;
    bool newDocument = false;
    CCorvantaDoc *doc = nullptr;
    int focus = 0, firstPaints = 0, syncs = 0;
};

class ViewFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        view.SetHost(&host);
        view.resize(500, 400);
    }
    void SetFields(const char *xMin, const char *xMax, const char *yMin, const char *yMax)
    {
        const char *texts[] = {xMin, xMax, yMin, yMax};
        for (int i = 0; i < 4; ++i)
            host.fields[IDC_X_MIN + i] = QString::fromLatin1(texts[i]);
    }

    MessageRecorder messages;
    CFakeHost host;
    CCorvantaView view;
};
