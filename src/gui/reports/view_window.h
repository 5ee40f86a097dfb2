#pragma once

// The "Viewer": a read-only rich-text window the main window writes a report into (the coil
// diagnostics, the manufacturing report) and then shows. It opens at the size that shows its
// text (within the screen) with columns that fit the text, until the user gives it a size of
// their own, which it keeps from then on. Placement and that choice live in the program's
// settings (section "ViewForm").

#include <QDialog>

namespace vantor {

class KzReportView;

class TViewForm : public QDialog {
    Q_OBJECT

public:
    explicit TViewForm(QWidget* parent = nullptr);

    KzReportView& Box() const { return *m_box; }

    // The window size that shows the whole text, within the screen's free area.
    QSize ContentSize() const;
    // Whether the user sized the window; then it opens at that size.
    bool UserSized() const { return m_userSized; }

    void setVisible(bool visible) override;

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void SaveSettings() const;

    KzReportView* m_box;
    bool m_userSized = false;
    // The size the window was shown at; a different size at hiding is the user's.
    QSize m_shownSize;
};

}  // namespace vantor
