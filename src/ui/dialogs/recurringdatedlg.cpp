#include "recurringdatedlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr int Columns = 7;
constexpr int Weeks = 6;
} // namespace

TRecurringDateDlg::TRecurringDateDlg(const TRecurringDate &rule, QWidget *parent)
    : QDialog(parent), m_locale(rule.Locale())
{
    setObjectName(QStringLiteral("RecurringDateDlg"));
    setWindowTitle(rule.DialogCaption);
    m_initial = rule.UseToday ? QDate::currentDate() : rule.GetDate();
    if (!m_initial.isValid())
        m_initial = QDate::currentDate();
    m_current = m_initial;

    m_dateLabel = new QLabel(this);
    m_dateLabel->setObjectName(QStringLiteral("DateLabel"));
    m_dateLabel->setAlignment(Qt::AlignCenter);

    m_months = new QComboBox(this);
    m_months->setObjectName(QStringLiteral("MonthSelector"));
    for (int month = 1; month <= 12; ++month)
        m_months->addItem(m_locale.monthName(month, QLocale::LongFormat));
    m_year = new QSpinBox(this);
    m_year->setObjectName(QStringLiteral("YearUpDown"));
    m_year->setRange(1, 9999);
    m_year->setSingleStep(1);
    m_year->setAccelerated(false);

    m_grid = new QTableWidget(Weeks + 1, Columns, this);
    m_grid->setObjectName(QStringLiteral("MonthGrid"));
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setShowGrid(false);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grid->setMinimumSize(7 * 34, 7 * 24);
    // Row 0 names the weekdays, Sunday first (dayName counts Monday 1 to Sunday 7).
    for (int column = 0; column < Columns; ++column) {
        auto *cell = new QTableWidgetItem(m_locale.dayName(column == 0 ? 7 : column, QLocale::ShortFormat));
        cell->setFlags(Qt::ItemIsEnabled);
        cell->setTextAlignment(Qt::AlignCenter);
        QFont bold = cell->font();
        bold.setBold(true);
        cell->setFont(bold);
        m_grid->setItem(0, column, cell);
    }

    m_recur = new QComboBox(this);
    m_recur->setObjectName(QStringLiteral("RecurSelector"));

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setText(tr("OK"));
    QPushButton *cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    cancel->setText(tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *pick = new QHBoxLayout;
    pick->addWidget(m_months, 1);
    pick->addWidget(m_year);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_dateLabel);
    layout->addLayout(pick);
    layout->addWidget(m_grid, 1);
    auto *recurLabel = new QLabel(tr("&Recurs:"), this);
    recurLabel->setBuddy(m_recur);
    layout->addWidget(recurLabel);
    layout->addWidget(m_recur);
    layout->addWidget(buttons);

    drawCalendar();
    fillRecurrenceChoices();
    const qint32 mode = rule.RecurMode;
    m_recur->setCurrentIndex(mode >= 0 && mode < m_recur->count() ? mode : 0);

    connect(m_months, &QComboBox::activated, this, &TRecurringDateDlg::MonthSelectorChange);
    connect(m_year, &QSpinBox::valueChanged, this, &TRecurringDateDlg::YearUpDownClick);
    connect(m_grid, &QTableWidget::cellClicked, this, &TRecurringDateDlg::MonthGridClick);

    if (rule.DialogPosition == TRecurringDate::TDialogPosition::Designed)
        move(rule.DialogLeft, rule.DialogTop);
}

qint32 TRecurringDateDlg::recurMode() const { return qMax(0, m_recur->currentIndex()); }

void TRecurringDateDlg::MonthSelectorChange(int monthIndex)
{
    setCurrent(m_current.year(), monthIndex + 1, m_current.day());
}

void TRecurringDateDlg::YearUpDownClick(int year) { setCurrent(qBound(1, year, 9999), m_current.month(), m_current.day()); }

void TRecurringDateDlg::MonthGridClick(int row, int column)
{
    if (row < 1 || row > Weeks || column < 0 || column >= Columns)
        return;
    const int day = MonthGrid(m_current.year(), m_current.month())[size_t((row - 1) * Columns + column)];
    if (day == 0) {
        drawCalendar(); // the current day stays selected
        return;
    }
    setCurrent(m_current.year(), m_current.month(), day);
}

void TRecurringDateDlg::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    for (int column = 0; column < Columns; ++column)
        m_grid->setColumnWidth(column, m_grid->viewport()->width() / Columns);
}

void TRecurringDateDlg::setCurrent(int year, int month, int day)
{
    m_current = QDate(year, month, CutToMonth(year, month, day));
    drawCalendar();
    fillRecurrenceChoices();
}

void TRecurringDateDlg::drawCalendar()
{
    m_dateLabel->setText(m_locale.toString(m_current, QLocale::LongFormat));
    {
        const QSignalBlocker quietYear(m_year);
        const QSignalBlocker quietMonth(m_months);
        m_year->setValue(m_current.year());
        m_months->setCurrentIndex(m_current.month() - 1);
    }
    const auto cells = MonthGrid(m_current.year(), m_current.month());
    const QSignalBlocker quietGrid(m_grid);
    m_grid->clearSelection();
    for (int i = 0; i < Weeks * Columns; ++i) {
        const int row = 1 + i / Columns, column = i % Columns;
        auto *cell = new QTableWidgetItem(cells[size_t(i)] ? QString::number(cells[size_t(i)]) : QString());
        cell->setTextAlignment(Qt::AlignCenter);
        cell->setFlags(cells[size_t(i)] ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::ItemIsEnabled);
        m_grid->setItem(row, column, cell);
        if (cells[size_t(i)] == m_current.day())
            m_grid->setCurrentCell(row, column);
    }
}

void TRecurringDateDlg::fillRecurrenceChoices()
{
    // The texts follow the date; the chosen rule stays chosen.
    const int chosen = m_recur->currentIndex();
    const QStringList choices = TRecurringDate::RuleChoices(m_current, m_locale);
    const QSignalBlocker quiet(m_recur);
    m_recur->clear();
    m_recur->addItems(choices);
    m_recur->setCurrentIndex(chosen < 0 ? 0 : chosen);
}

bool Execute(TRecurringDate &rule, QWidget *parent)
{
    TRecurringDateDlg dialog(rule, parent);
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (ok) {
        rule.SetDate(dialog.resultDate());
        rule.RecurMode = dialog.recurMode();
    }
    return ok;
}
