#pragma once

// The location picker: databases, regions and places of the location databases in three
// lists, the chosen place's climatic data in a two-column grid, the record number and the
// place text on the status line. The rules are the core's TLocationPicker; this window shows
// its lists and passes the clicks in.

#include "locations/location_picker.h"

#include <QDialog>

#include <memory>

class QLabel;
class QListWidget;
class QPushButton;
class QStatusBar;
class QTableWidget;

namespace vantor {

class TPrompts;

class TSelectLocationForm : public QDialog {
    Q_OBJECT

public:
    explicit TSelectLocationForm(QWidget* parent = nullptr);

    TLocationPicker& Picker() { return m_picker; }
    // Presets region and place from a place text ("place, region"); the database stays.
    void PresetPlace(const std::string& placeText);

    QListWidget& DatabaseList() const { return *m_databases; }
    QListWidget& RegionList() const { return *m_regions; }
    QListWidget& PlaceList() const { return *m_places; }
    QTableWidget& Grid() const { return *m_grid; }
    QString RecordPanel() const;
    QString PlacePanel() const;
    QString NotePanel() const;
    // Failures and notices go through the prompts; tests script them.
    void SetPrompts(std::shared_ptr<TPrompts> prompts) { m_prompts = std::move(prompts); }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void done(int result) override;

private:
    void Activate();
    void DatabaseChosen();
    void RegionChosen();
    void PlaceChosen();
    void ShowLists();
    void ShowPlaces();
    void ShowPlace();
    // Shows a failure (the install message) and the file's notice, if any.
    void Report(const TResult& result);
    void FitGridColumns();

    TLocationPicker m_picker;
    QListWidget* m_databases;
    QListWidget* m_regions;
    QListWidget* m_places;
    QTableWidget* m_grid;
    QPushButton* m_accept;
    QStatusBar* m_status;
    QLabel* m_recordPanel;
    QLabel* m_placePanel;
    QLabel* m_notePanel;
    std::shared_ptr<TPrompts> m_prompts;
};

}  // namespace vantor
