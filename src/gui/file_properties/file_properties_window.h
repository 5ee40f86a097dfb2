#pragma once

// "Properties": the file properties of the present data file on three pages. "Project" and
// "User" edit the values the data file stores (they are written straight into the properties
// object the main window holds); "General" shows what the file system knows about the file,
// and is hidden when there is no file. "Keep as default" with "Accept" stores the project
// and user fields for new files; "Cancel" (and Escape) puts back what the window opened with.
// Enter and Down move to the next control, Up to the previous one, where the control does not
// need the key itself. "Accept" refuses texts a data file cannot store.

#include "reports/file_properties_edit.h"

#include <QDialog>

#include <memory>
#include <utility>
#include <vector>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;

namespace vantor {

class TPrompts;
class TSettingsStore;

class TFilePropertiesForm : public QDialog {
    Q_OBJECT

public:
    // properties: the values the window edits; programKey: where "Keep as default" goes.
    TFilePropertiesForm(TFileProperties& properties, TSettingsStore& programKey, QWidget* parent = nullptr);
    ~TFilePropertiesForm() override;

    // The data file the "General" page describes; empty for none.
    void SetFileName(const QString& fileName) { m_fileName = fileName; }
    const QString& FileName() const { return m_fileName; }

    const TFilePropertiesEdit& Edit() const { return m_edit; }
    bool Modified() const { return m_edit.Modified(); }

    QTabWidget& Pages() const { return *m_pages; }
    QCheckBox& KeepAsDefault() const { return *m_keepAsDefault; }
    bool GeneralPageShown() const;
    // The "General" page's texts, by caption ("Location:", "Size:", ...), as shown; the file
    // name for an empty caption.
    QString GeneralText(const QString& caption) const;
    bool AttributeChecked(const QString& caption) const;
    // The messages go through the prompts; tests script them.
    void SetPrompts(std::shared_ptr<TPrompts> prompts) { m_prompts = std::move(prompts); }

public slots:
    void accept() override;
    void reject() override;

    // Both close the window through here; the placement is kept.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildProjectPage();
    QWidget* BuildUserPage();
    QWidget* BuildGeneralPage();
    void Activate();
    void ShowValues();
    void ShowFileFacts();
    void WatchKeys();
    // A text a data file cannot store (a control character pasted in, say) keeps the window
    // open on its control, with the reason in a message.
    bool TextsCanBeStored();

    TFilePropertiesEdit m_edit;
    TSettingsStore& m_programKey;
    QString m_fileName;
    bool m_showing = false;  // the controls are being filled: their changes are not the user's

    QTabWidget* m_pages;
    QLineEdit* m_projectName;
    QLineEdit* m_projectNumber;
    QPlainTextEdit* m_description;
    QDateEdit* m_date;
    QLineEdit* m_author;
    QLineEdit* m_company;
    QWidget* m_general;
    QLabel* m_icon;
    QLabel* m_name;
    QLabel* m_type;
    std::vector<std::pair<QString, QLabel*>> m_facts;
    std::vector<QCheckBox*> m_attributes;
    QCheckBox* m_keepAsDefault;
    std::shared_ptr<TPrompts> m_prompts;
};

}  // namespace vantor
