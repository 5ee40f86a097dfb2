#pragma once

// The "Viewer": a read-only rich-text window the main window writes a report into (the coil
// diagnostics, the manufacturing report) and then shows. It keeps its placement in the
// program's settings (section "ViewForm").

#include <QDialog>

namespace vantor {

class KzReportView;

class TViewForm : public QDialog {
    Q_OBJECT

public:
    explicit TViewForm(QWidget* parent = nullptr);

    KzReportView& Box() const { return *m_box; }

protected:
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    KzReportView* m_box;
};

}  // namespace vantor
