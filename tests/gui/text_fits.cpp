#include "gui/text_fits.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTableView>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeView>

#include <algorithm>
#include <cmath>
#include <functional>

namespace vantor::test {

namespace {

// A widget with many cut items (a long list) reports this many of them.
constexpr int kReportsPerWidget = 8;

QString WithoutMnemonic(QString text)
{
    text.replace(QLatin1String("&&"), QChar(0x1));
    text.remove(QLatin1Char('&'));
    text.replace(QChar(0x1), QLatin1Char('&'));
    return text;
}

int TextWidth(const QFontMetrics& metrics, const QString& text)
{
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

int Metric(const QWidget& widget, QStyle::PixelMetric metric)
{
    return widget.style()->pixelMetric(metric, nullptr, &widget);
}

// The viewport a scroll area scrolls its content in: content beyond it is reached by
// scrolling, not cut.
bool IsScrolledIn(const QWidget& widget)
{
    const auto* area = qobject_cast<const QAbstractScrollArea*>(widget.parentWidget());
    return area && area->viewport() == &widget;
}

class TCutFinder {
public:
    TCutFinder(const QWidget& window, const QList<const QWidget*>& leftOut) : m_window(window), m_leftOut(leftOut) {}

    QStringList Find()
    {
        if (m_window.isWindow()) CheckWindow();
        // The window itself may show texts (a pop-up list).
        Check(m_window);
        Walk(m_window);
        return m_cut;
    }

private:
    void Walk(const QWidget& parent)
    {
        for (const QObject* child : parent.children()) {
            const auto* widget = qobject_cast<const QWidget*>(child);
            if (!widget || widget->isWindow() || !widget->isVisible() || m_leftOut.contains(widget)) continue;
            m_reports = 0;
            Check(*widget);
            Walk(*widget);
        }
    }

    void Check(const QWidget& widget)
    {
        if (const auto* label = qobject_cast<const QLabel*>(&widget))
            CheckLabel(*label);
        else if (const auto* button = qobject_cast<const QAbstractButton*>(&widget))
            CheckButton(*button);
        else if (const auto* combo = qobject_cast<const QComboBox*>(&widget))
            CheckCombo(*combo);
        else if (const auto* header = qobject_cast<const QHeaderView*>(&widget))
            CheckHeader(*header);
        else if (const auto* view = qobject_cast<const QAbstractItemView*>(&widget))
            CheckItemView(*view);
        else if (const auto* tabs = qobject_cast<const QTabBar*>(&widget))
            CheckTabBar(*tabs);
        else if (const auto* group = qobject_cast<const QGroupBox*>(&widget))
            CheckGroupBox(*group);
        else if (const auto* edit = qobject_cast<const QLineEdit*>(&widget))
            CheckLineEdit(*edit);
        else if (const auto* bar = qobject_cast<const QStatusBar*>(&widget))
            CheckStatusBar(*bar);
    }

    void Report(const QWidget& widget, const QString& what, const QString& text, int needs, int has)
    {
        if (++m_reports > kReportsPerWidget) return;
        m_cut << QStringLiteral("%1: %2 \"%3\" needs %4 px, has %5").arg(ObjectPath(widget), what, text).arg(needs).arg(has);
    }

    // How much of a span of the widget (its own coordinates) its ancestors leave to be seen.
    static int SeenWidth(const QWidget& widget, QRect span)
    {
        const QWidget* current = &widget;
        for (;;) {
            span = span.intersected(current->rect());
            if (current->isWindow() || IsScrolledIn(*current->parentWidget())) break;
            span.translate(current->pos());
            current = current->parentWidget();
        }
        return span.isValid() ? span.width() : 0;
    }

    // A text of `needs` pixels set in `room` as `alignment` places it: reported when the room
    // is too narrow or an ancestor hides part of it.
    void Fit(const QWidget& widget, const QString& what, const QString& text, int needs, const QRect& room,
             Qt::Alignment alignment = Qt::AlignLeft)
    {
        if (needs > room.width()) {
            Report(widget, what, text, needs, room.width());
            return;
        }
        const QRect span = QStyle::alignedRect(widget.layoutDirection(), alignment & Qt::AlignHorizontal_Mask,
                                               QSize(needs, std::max(1, room.height())), room);
        const int seen = SeenWidth(widget, span);
        if (seen < needs) Report(widget, what + QStringLiteral(" (hidden by its parent)"), text, needs, seen);
    }

    void CheckWindow()
    {
        const QScreen* screen = m_window.screen();
        if (!screen) return;
        const QRect area = screen->availableGeometry();
        const QRect frame = m_window.frameGeometry();
        if (frame.width() > area.width())
            m_cut << QStringLiteral("%1: window %2 px wide on a screen %3 px wide").arg(ObjectPath(m_window)).arg(frame.width()).arg(area.width());
        if (frame.height() > area.height())
            m_cut << QStringLiteral("%1: window %2 px high on a screen %3 px high").arg(ObjectPath(m_window)).arg(frame.height()).arg(area.height());
    }

    void CheckLabel(const QLabel& label)
    {
        const QString text = label.text();
        if (text.isEmpty()) return;
        const bool rich = label.textFormat() == Qt::RichText ||
                          (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
        QRect room = label.contentsRect().adjusted(label.margin(), label.margin(), -label.margin(), -label.margin());
        if (label.wordWrap()) {
            // A wrapped text is cut when its lines need more height than the label has.
            const int needs = label.heightForWidth(label.width());
            if (needs > label.height()) Report(label, QStringLiteral("wrapped label, height,"), text, needs, label.height());
            return;
        }
        int indent = label.indent();
        if (indent < 0) indent = label.frameWidth() > 0 ? label.fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 : 0;
        if (label.alignment() & Qt::AlignLeft) room.setLeft(room.left() + indent);
        if (label.alignment() & Qt::AlignRight) room.setRight(room.right() - indent);
        int needs = 0;
        if (rich) {
            QTextDocument document;
            document.setDefaultFont(label.font());
            document.setDocumentMargin(0);
            document.setHtml(text);
            needs = static_cast<int>(std::ceil(document.idealWidth()));
        } else {
            needs = TextWidth(label.fontMetrics(), label.buddy() ? WithoutMnemonic(text) : text);
        }
        Fit(label, QStringLiteral("label"), text, needs, room, label.alignment());
    }

    void CheckButton(const QAbstractButton& button)
    {
        const QString text = WithoutMnemonic(button.text());
        if (text.isEmpty()) return;
        const QFontMetrics& metrics = button.fontMetrics();
        const int icon = button.icon().isNull() ? 0 : button.iconSize().width() + 4;
        const int textWidth = TextWidth(metrics, text);
        if (qobject_cast<const QCheckBox*>(&button)) {
            const int needs = Metric(button, QStyle::PM_IndicatorWidth) + Metric(button, QStyle::PM_CheckBoxLabelSpacing) + icon + textWidth;
            Fit(button, QStringLiteral("check box"), text, needs, button.rect());
        } else if (qobject_cast<const QRadioButton*>(&button)) {
            const int needs = Metric(button, QStyle::PM_ExclusiveIndicatorWidth) +
                              Metric(button, QStyle::PM_RadioButtonLabelSpacing) + icon + textWidth;
            Fit(button, QStringLiteral("radio button"), text, needs, button.rect());
        } else if (const auto* tool = qobject_cast<const QToolButton*>(&button)) {
            const Qt::ToolButtonStyle style = tool->toolButtonStyle();
            if (style == Qt::ToolButtonIconOnly || (style == Qt::ToolButtonFollowStyle && !tool->icon().isNull())) return;
            if (tool->arrowType() != Qt::NoArrow) return;
            const int needs = textWidth + (style == Qt::ToolButtonTextBesideIcon ? icon : 0);
            Fit(button, QStringLiteral("tool button"), text, needs, button.rect().adjusted(1, 0, -1, 0), Qt::AlignHCenter);
        } else {
            const auto* push = qobject_cast<const QPushButton*>(&button);
            const int menu = push && push->menu() ? Metric(button, QStyle::PM_MenuButtonIndicator) : 0;
            const int frame = Metric(button, QStyle::PM_ButtonMargin) / 2 + Metric(button, QStyle::PM_DefaultFrameWidth);
            Fit(button, QStringLiteral("button"), text, textWidth + icon + menu, button.rect().adjusted(frame, 0, -frame, 0),
                Qt::AlignHCenter);
        }
    }

    void CheckCombo(const QComboBox& combo)
    {
        QStyleOptionComboBox option;
        option.initFrom(&combo);
        option.editable = combo.isEditable();
        option.frame = combo.hasFrame();
        option.subControls = QStyle::SC_All;
        // The label is drawn a pixel in from the edit field on each side.
        const QRect field = combo.style()
                                ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo)
                                .adjusted(1, 0, -1, 0);
        // Any item may become the shown one.
        for (int index = 0; index < combo.count(); ++index) {
            const QString text = combo.itemText(index);
            const int icon = combo.itemIcon(index).isNull() ? 0 : combo.iconSize().width() + 4;
            Fit(combo, QStringLiteral("combo box item"), text, icon + combo.fontMetrics().horizontalAdvance(text), field);
        }
    }

    void CheckHeader(const QHeaderView& header)
    {
        if (!header.model()) return;
        const int margin = Metric(header, QStyle::PM_HeaderMargin);
        for (int visual = 0; visual < header.count(); ++visual) {
            const int section = header.logicalIndex(visual);
            if (header.isSectionHidden(section)) continue;
            const QString text = header.model()->headerData(section, header.orientation(), Qt::DisplayRole).toString();
            if (text.isEmpty()) continue;
            int needs = TextWidth(header.fontMetrics(), text) + 2 * margin;
            if (header.isSortIndicatorShown() && header.sortIndicatorSection() == section)
                needs += Metric(header, QStyle::PM_HeaderMarkSize) + margin;
            QRect room = header.orientation() == Qt::Horizontal
                             ? QRect(header.sectionViewportPosition(section), 0, header.sectionSize(section), header.height())
                             : QRect(0, header.sectionViewportPosition(section), header.width(), header.sectionSize(section));
            if (needs > room.width()) {
                Report(header, QStringLiteral("header section"), text, needs, room.width());
            } else if (header.orientation() == Qt::Horizontal && room.left() + needs > header.viewport()->width()) {
                // Past the view's right edge at the window's size: a column the user must scroll to.
                Report(header, QStringLiteral("header section (beyond the view's edge)"), text, needs,
                       std::max(0, header.viewport()->width() - room.left()));
            }
        }
    }

    void CheckItemView(const QAbstractItemView& view)
    {
        if (!view.model()) return;
        const auto* table = qobject_cast<const QTableView*>(&view);
        const auto* tree = qobject_cast<const QTreeView*>(&view);
        const auto* list = qobject_cast<const QListView*>(&view);
        const QAbstractItemModel& model = *view.model();
        std::function<void(const QModelIndex&)> walk = [&](const QModelIndex& parent) {
            for (int row = 0; row < model.rowCount(parent); ++row) {
                if ((table && table->isRowHidden(row)) || (tree && tree->isRowHidden(row, parent)) ||
                    (list && list->isRowHidden(row)))
                    continue;
                for (int col = 0; col < model.columnCount(parent); ++col) {
                    if ((table && table->isColumnHidden(col)) || (tree && tree->isColumnHidden(col)) ||
                        (list && col != list->modelColumn()))
                        continue;
                    CheckItem(view, model.index(row, col, parent));
                }
                const QModelIndex first = model.index(row, 0, parent);
                if (tree && tree->isExpanded(first)) walk(first);
            }
        };
        walk(view.rootIndex());
    }

    void CheckItem(const QAbstractItemView& view, const QModelIndex& index)
    {
        const QString text = index.data(Qt::DisplayRole).toString();
        if (text.isEmpty()) return;
        const QVariant fontData = index.data(Qt::FontRole);
        const QFontMetrics metrics(fontData.isValid() ? fontData.value<QFont>() : view.font());
        // The item delegate keeps a margin on both sides of the text, beside the icon and check box.
        int needs = TextWidth(metrics, text) + 2 * (Metric(view, QStyle::PM_FocusFrameHMargin) + 1);
        if (index.data(Qt::DecorationRole).isValid()) {
            const QSize icon = view.iconSize();
            needs += (icon.isValid() ? icon.width() : Metric(view, QStyle::PM_SmallIconSize)) + 4;
        }
        if (index.data(Qt::CheckStateRole).isValid()) needs += Metric(view, QStyle::PM_IndicatorWidth) + 4;
        const QRect rect = view.visualRect(index);
        const QString what = QStringLiteral("item (%1,%2)").arg(index.row() + 1).arg(index.column());
        if (needs > rect.width()) {
            Report(view, what, text, needs, rect.width());
        } else if (rect.left() + needs > view.viewport()->width()) {
            Report(view, what + QStringLiteral(" (beyond the view's edge)"), text, needs,
                   std::max(0, view.viewport()->width() - rect.left()));
        }
    }

    void CheckTabBar(const QTabBar& tabs)
    {
        for (int tab = 0; tab < tabs.count(); ++tab) {
            if (!tabs.isTabVisible(tab)) continue;
            const QString text = WithoutMnemonic(tabs.tabText(tab));
            const int needs = TextWidth(tabs.fontMetrics(), text) + Metric(tabs, QStyle::PM_TabBarTabHSpace);
            const QRect rect = tabs.tabRect(tab);
            if (needs > rect.width())
                Report(tabs, QStringLiteral("tab"), text, needs, rect.width());
            else if (rect.right() >= tabs.width())
                Report(tabs, QStringLiteral("tab (beyond the bar's edge)"), text, needs, std::max(0, tabs.width() - rect.left()));
        }
    }

    void CheckGroupBox(const QGroupBox& group)
    {
        const QString text = WithoutMnemonic(group.title());
        if (text.isEmpty()) return;
        int needs = TextWidth(group.fontMetrics(), text);
        if (group.isCheckable())
            needs += Metric(group, QStyle::PM_IndicatorWidth) + Metric(group, QStyle::PM_CheckBoxLabelSpacing);
        Fit(group, QStringLiteral("group box title"), text, needs, group.rect().adjusted(4, 0, -4, 0), group.alignment());
    }

    void CheckLineEdit(const QLineEdit& edit)
    {
        if (edit.text().isEmpty() || edit.echoMode() != QLineEdit::Normal) return;
        QStyleOptionFrame option;
        option.initFrom(&edit);
        option.rect = edit.rect();
        option.lineWidth = edit.hasFrame() ? Metric(edit, QStyle::PM_DefaultFrameWidth) : 0;
        option.midLineWidth = 0;
        option.state |= QStyle::State_Sunken;
        // The edit keeps two pixels beside its text inside the contents and the text margins.
        const QMargins margins = edit.textMargins();
        const QRect room = edit.style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, &edit)
                               .adjusted(margins.left() + 2, 0, -margins.right() - 2, 0);
        Fit(edit, QStringLiteral("line edit"), edit.text(), edit.fontMetrics().horizontalAdvance(edit.text()), room,
            edit.alignment());
    }

    // A message the status bar paints itself, between its margins.
    void CheckStatusBar(const QStatusBar& bar)
    {
        const QString text = bar.currentMessage();
        if (text.isEmpty()) return;
        const QRect room(6, 0, bar.width() - 18, bar.height());
        Fit(bar, QStringLiteral("status message"), text, bar.fontMetrics().horizontalAdvance(text), room);
    }

    const QWidget& m_window;
    const QList<const QWidget*>& m_leftOut;
    QStringList m_cut;
    int m_reports = 0;
};

}  // namespace

QString ObjectPath(const QWidget& widget)
{
    QStringList names;
    for (const QWidget* current = &widget; current; current = current->isWindow() ? nullptr : current->parentWidget()) {
        const QString name = current->objectName();
        names.prepend(name.isEmpty() ? QString::fromLatin1(current->metaObject()->className()) : name);
    }
    return names.join(QLatin1Char('/'));
}

const QLabel* LabelShowing(const QWidget& window, const QString& text)
{
    for (const QLabel* label : window.findChildren<const QLabel*>())
        if (label->isVisible() && label->text() == text) return label;
    return nullptr;
}

bool ShowsWholeText(const QLabel& label)
{
    if (!label.isVisible()) return false;
    const QFontMetrics metrics(label.font());
    // A framed label without an indent of its own keeps half an "x" from its frame.
    const int indent = label.indent() >= 0 ? label.indent()
                       : label.frameWidth() > 0 ? metrics.horizontalAdvance(QLatin1Char('x')) / 2
                                                : 0;
    const QRect room = label.contentsRect().adjusted(label.margin() + indent, label.margin(), -label.margin(),
                                                     -label.margin());
    const int flags = label.wordWrap() ? Qt::TextWordWrap : 0;
    const QRect needed = metrics.boundingRect(QRect(0, 0, room.width(), 1 << 20), flags, label.text());
    const QRect inWindow(label.mapTo(label.window(), QPoint(0, 0)), label.size());
    return needed.width() <= room.width() && needed.height() <= room.height() &&
           label.window()->rect().contains(inWindow);
}

QStringList CutTexts(const QWidget& window, const QList<const QWidget*>& leftOut)
{
    // Layouts still to be done (a child's passed on to its parent, then the window's resize)
    // are done before anything is painted; measured after them.
    for (int pass = 0; pass < 3; ++pass) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::processEvents();
    }
    return TCutFinder(window, leftOut).Find();
}

}  // namespace vantor::test
