#pragma once

#include "core/analysis/AnalysisRun.h"
#include "core/analysis/AnalysisWording.h"
#include "core/plot/GraphResults.h"

#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// What the view hands to each page of the analysis sheet.
struct SAnalysisInput
{
    std::array<QString, 5> functions;  // typed texts of the used slots, others empty
    int current = -1;                  // the view's current function
    double graphMin = -10.0;           // x range of a view as wide as the screen
    double graphMax = 10.0;
    // Where the pages put the points they list, to be marked on the graph:
    // a page's new list replaces its marks (none for "None", a cancelled
    // search or a refusal), and a selected row highlights its point (-1 for
    // none). Either may be empty.
    std::function<void(EMarkSource, std::vector<SGraphMark>)> showMarks;
    std::function<void(EMarkSource, int point)> highlightMark;
    // The parameter values a slot's function is drawn with now, read at
    // each Calculate so the search follows the sliders; empty: all ones.
    std::function<SParameterValues(int slot)> parameters;
};

// The kind of search and the control ids that tell the three pages apart;
// their texts come with the kind.
struct SPageControls
{
    EAnalysisKind kind;
    std::array<int, 3> modeIds;  // the three radios
    int fromId, toId, accuracyId, upDownId, listId;
    bool resultGroup;            // a "Result" group around label and list
    bool readsAfterMode;         // a radio of modes 0 and 2 reads the controls back
    int function2Id = 0;         // the second function's chooser, 0 for none
};

// One page of the analysis sheet: pick a plotted function, a search mode,
// a domain or a point and the decimal places, press Calculate, read the
// lines of the result. The pages differ only in their texts and search.
class CAnalysisPage : public QWidget
{
    Q_OBJECT
public:
    CAnalysisPage(const SPageControls &controls, QWidget *parent);

    // Takes the view's data and fills the function list (the page's
    // initialisation; called once, before the sheet shows).
    void Initialise(const SAnalysisInput &input);

    // Exchanges the members with the controls; reading stops at the first
    // field the user has to correct and returns false.
    bool UpdateData(bool bSaveAndValidate);

    void OnSpecificDomain();
    void OnGraphDomain();
    void OnNearPoint();
    void OnCalculate();

    QString Title() const;
    QPushButton *CalculateButton() const { return m_pCalculate; }
    QWidget *Control(int nId) const;

    std::array<QString, 5> m_strFunctions;
    int m_nCurrent = -1;
    double m_dGraphMin = 0.0;
    double m_dGraphMax = 0.0;
    QString m_strFunction;
    QString m_strFunction2;  // intersections: the other function
    int m_nMode = 0;
    double m_dFrom = kDefaultAnalysisFrom;
    double m_dTo = kDefaultAnalysisTo;
    int m_nAccuracy = kDefaultPlaces;

private:
    void BuildControls();
    void SetStep3(const QString &text, bool bEnabled, bool bShowTo);
    void SetResultLabel(const QString &text);
    void StepAccuracy(int delta);
    std::optional<SAnalysisResult> RunSearch(const SAnalysisRequest &request);
    // The view slot of a chooser's entry, -1 for none.
    int SlotOf(const QComboBox *pChooser) const;
    EMarkSource Source() const;
    // The listed points become this page's marks; nullptr clears them.
    void ShowMarks(const SAnalysisResult *result);
    void OnRowChanged(int row);

    const SPageControls &m_controls;
    const SAnalysisTexts &m_texts;
    QComboBox *m_pFunction = nullptr;
    QComboBox *m_pFunction2 = nullptr;
    std::vector<int> m_aSlots;  // the view slot of each chooser entry
    SAnalysisResult m_shown;    // what the list shows, for its rows' points
    std::function<void(EMarkSource, std::vector<SGraphMark>)> m_showMarks;
    std::function<SParameterValues(int slot)> m_parameters;
    std::function<void(EMarkSource, int)> m_highlightMark;
    std::array<QRadioButton *, 3> m_aModes{};
    QLabel *m_pStep3 = nullptr;
    QLineEdit *m_pFrom = nullptr;
    QLabel *m_pToLabel = nullptr;
    QLineEdit *m_pTo = nullptr;
    QLineEdit *m_pAccuracy = nullptr;
    QLabel *m_pResultLabel = nullptr;
    QGroupBox *m_pResultBox = nullptr;
    QListWidget *m_pList = nullptr;
    QPushButton *m_pCalculate = nullptr;
};
