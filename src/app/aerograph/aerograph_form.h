#pragma once

// The psychrometric chart program's window: the chart of the files received so far, drawn
// with the chart panel. Dry bulb across, moisture content up; the saturation curve, relative
// humidity every 10 %, wet-bulb and enthalpy lines; each file's nodes with their captions and
// its processes as lines between them, one colour per file.

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
    void DrawChartLines();
    void DrawProcesses();

    TAerographModel m_model;
    TChartPanel* m_chart;
    QLabel* m_status;
};

}  // namespace vantor
