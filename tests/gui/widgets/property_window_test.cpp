// The property window's rows as an XML text: the exact bytes other programs read from the
// clipboard, including names that are not XML names and values that need escaping.

#include "gui/widgets/property_window.h"
#include "gui/gui_test_main.h"
#include "rows/property_rows.h"

#include <QXmlStreamReader>

using namespace vantor;

class TechFormTest : public QObject {
    Q_OBJECT

private slots:
    void rowsAsXmlKeepTheirBytes()
    {
        TPropertyRows rows;
        QVERIFY(rows.SetRows({"Property; Value; Units", "Coil Model; %s; ; PE", "Design Duty; %s; kW; PE",
                              "2nd <row>; %s; 1/8\"; PE", "Fluid; %s; ; PE", "Größe; %s; m; PE"})
                    .empty());
        rows.SetCell(1, 1, "544 x 720 <4r>");
        rows.SetCell(1, 2, "20.000");
        rows.SetCell(1, 3, "a & b < c > d");
        rows.SetCell(1, 4, "");
        rows.SetCell(1, 5, "1.5");
        const std::string expected =
            "<?xml version=\"1.0\"?>\r\n"
            "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
            "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\r\n"
            "<_544_x_720__4r_>\r\n"
            "  <Design_Duty Units=\"kW\">20.000</Design_Duty>\r\n"
            "  <_2nd__row_ Units=\"1/8&quot;\">a &amp; b &lt; c &gt; d</_2nd__row_>\r\n"
            "  <Fluid Units=\"\"></Fluid>\r\n"
            "  <Gr__e Units=\"m\">1.5</Gr__e>\r\n"
            "</_544_x_720__4r_>";
        const std::string xml = TTechForm::XmlOfRows(rows);
        QCOMPARE(QString::fromStdString(xml), QString::fromStdString(expected));

        QXmlStreamReader reader(QString::fromStdString(xml));
        while (!reader.atEnd()) reader.readNext();
        QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
    }

    void rowsWithoutValuesGiveAnEmptyRoot()
    {
        TPropertyRows rows;
        QVERIFY(rows.SetRows({"Property; Value; Units", "Coil Model; %s; ; PE"}).empty());
        rows.SetCell(1, 1, "Coil");
        const std::string xml = TTechForm::XmlOfRows(rows);
        QVERIFY(QString::fromStdString(xml).endsWith("\r\n<Coil>\r\n</Coil>"));
    }
};

VANTOR_GUI_TEST_MAIN(TechFormTest)
#include "property_window_test.moc"
