// Shows one of the coil windows on the shipped catalogue and a first-run coil, for the
// screenshots (scripts/screenshots) before the fin and tube editor opens them in the program:
//   vantor_window_shots maker | settings PAGE | editor
// The window stays until it is closed.

#include "core/model/first_run_coil.h"
#include "geometry/coil_makers.h"
#include "gui/coil_maker/coil_maker_window.h"
#include "gui/design_settings/design_settings_window.h"
#include "gui/ini_editor/find_replace_dialog.h"
#include "gui/ini_editor/ini_editor_window.h"

#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>

using namespace vantor;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments().mid(1);
    const QString which = args.value(0);
    TCoilMakers catalogue;
    TIniEditorForm editor(QStringLiteral("https://www.example.com"));
    TCoilMakerForm maker(catalogue, editor);
    test::TFirstRunCoil rig;

    if (which == QLatin1String("maker")) {
        maker.CurrentRecord() = rig.Coil.Geometry().ModelRecord();
        maker.CurrentRecord().Mnf = "Typical";
        maker.ShowDatabaseButton(true);
        maker.EnableMakerChoice(true);
        maker.move(40, 40);
        return maker.exec() == QDialog::Accepted ? 0 : 1;
    }
    if (which == QLatin1String("settings")) {
        TCoilSettingsForm settings;
        settings.SetCoil(rig.Coil);
        settings.PageControl().setCurrentIndex(args.value(1).toInt());
        settings.move(40, 40);
        settings.exec();
        return 0;
    }
    if (which == QLatin1String("editor")) {
        editor.SetFileName(QString::fromStdString(catalogue.CataloguePath().string()));
        editor.LoadText();
        editor.move(20, 20);
        editor.show();
        editor.FindDialog().FindEdit().setText(QStringLiteral("1/2 inch"));
        editor.FindDialog().ShowReplace();
        editor.FindDialog().move(560, 360);
        editor.FindNext();
        return QApplication::exec();
    }
    return 2;
}
