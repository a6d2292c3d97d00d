#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class CCorvantaView;
class CHelpWindow;
class QComboBox;
class QMainWindow;
class QMenu;
class QPrinter;

// The graph's output commands and the frame-wide switches beside them: copy
// and paste, export, printing, fullscreen, help and the view's context menu.
class COutputCommands : public QObject
{
    Q_OBJECT
public:
    // graphMenu is offered as the view's context menu.
    COutputCommands(QMainWindow *pFrame, CCorvantaView *pView, QComboBox *pFunctionList, QMenu *pGraphMenu);
    ~COutputCommands() override;

    // Carries out one of the commands below; false if the id is not one.
    bool Handle(int nId);
    static bool IsOutputCommand(int nId);
    std::optional<bool> Checked(int nId) const;

    void OnCopyGraph();
    void OnCopyFunction();
    void OnPasteFunction();
    void OnExport();
    void OnPrint();
    void OnPrintPreview();
    void OnPrintSetup();
    void OnFullscreen();
    void OnHelp();

    bool IsFullscreen() const { return m_bFullscreen; }
    CHelpWindow *HelpWindow() const;

    // The keyboard page of the help, made when it is shown.
    void SetShortcutsPage(std::function<QString()> generator) { m_shortcuts = std::move(generator); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPrinter &Printer();  // made on first use

    QMainWindow *m_pFrame;
    CCorvantaView *m_pView;
    QComboBox *m_pFunctionList;
    QMenu *m_pGraphMenu;
    std::unique_ptr<QPrinter> m_pPrinter;
    QPointer<CHelpWindow> m_pHelp;
    std::function<QString()> m_shortcuts;
    QString m_strLastDirectory;

    bool m_bFullscreen = false;
    // The window as it was before fullscreen.
    QByteArray m_savedGeometry;
    Qt::WindowStates m_savedState;
    bool m_bMenuWasVisible = true;
};
