#pragma once

// The psychrometric chart program's window: the chart of the files received so far
// (aerograph_chart.h), its status and its menus.

#include "aerograph/aerograph_model.h"
#include "text/result.h"

#include <QMainWindow>

class QLabel;

namespace vantor {

class TChartPanel;

class TAerographForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TAerographForm(QWidget* parent = nullptr);
    ~TAerographForm() override;

    const TAerographModel& Model() const { return m_model; }
    TChartPanel& Chart() const { return *m_chart; }
    QString StatusText() const;

    // Reads a chart file and draws it; a file that cannot be read is reported and changes
    // nothing.
    TResult OpenFile(const QString& fileName);
    // Forgets every file.
    void Clear();

private:
    void SetUpMenus();
    void OpenWithDialog();
    void Refresh();

    TAerographModel m_model;
    TChartPanel* m_chart;
    QLabel* m_status;
};

}  // namespace vantor
