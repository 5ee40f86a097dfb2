#pragma once

// The report window: the coil report in a rich-text box, with "&Print" (the print dialog,
// which also prints to a PDF file), "C&opy" (the text on the clipboard), "&Email" (the text
// as the body of a new message in the user's mail program), "&Setup" (page set-up), "&Font"
// and "&Close". The owner fills the box and sets OnRefresh, which runs after a change of font
// and whenever the window is resized. Placement and font are kept in the program's settings,
// section "ReportForm".

#include "document/document_observer.h"

#include <QPrinter>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QToolBar;

namespace vantor {

class KzReportView;
class TMapiControl;

class TReportForm : public QWidget {
    Q_OBJECT

public:
    explicit TReportForm(QWidget* parent = nullptr);
    ~TReportForm() override;

    // The report box, with the latest report laid out in it.
    KzReportView& RichEdit1() const;
    TMapiControl& Mail() const { return *m_mail; }
    QAction& CopyAction() const { return *m_copy; }

    // The print job's name and the mail's subject.
    QString Title;
    std::function<void()> OnRefresh;

    // Positions in points from the left edge, in order; positions that are not positive are
    // left out. They are the columns' least positions: a column whose text in the report's
    // font needs more room (a large font) starts further right, so no text runs into the next.
    void SetTabStops(const std::vector<int>& positions);
    // Replaces the text: the report's lines and its footer in italics. While the window is
    // hidden the report is only kept, and laid out when it is shown or its text is wanted: a
    // solve (one from an automation client, say) does not pay for laying out text nobody sees.
    void ShowReport(const TDocumentReport& report);

    QString StatusText() const;

    // The report on a printer set up by the caller, with the report's margins.
    void PrintTo(QPrinter& printer);
    void Print();
    void Copy();
    void Email();
    void Setup();
    void ChooseFont();

protected:
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOutPending() const;
    void SetStatus(const QString& text);
    void LoadFont();
    void SaveSettings() const;
    void SetBoxFont(const QFont& font, const QColor& color);
    void Refresh();

    QToolBar* m_toolBar;
    KzReportView* m_box;
    QLabel* m_status;
    TMapiControl* m_mail;
    QAction* m_print;
    QAction* m_copy;
    QAction* m_email;
    QPrinter m_printer;
    int m_fontCharset = 1;
    std::vector<int> m_tabStops;
    mutable std::optional<TDocumentReport> m_pending;  // shown, not yet laid out
};

}  // namespace vantor
