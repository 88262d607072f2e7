#include "exchange/gui/reportform.h"

#include "store/addressobject.h"
#include "store/personobject.h"
#include "support/filebytes.h"
#include "support/storefixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QSpinBox>
#include <QApplication>
#include <QPageLayout>
#include <QTimer>

namespace {

class ReportFormTest : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        friends = add(ItemKind::Folder, "Friends", root);
        ada = static_cast<TPersonObject *>(add(ItemKind::Person, "Ada Brennan", friends->Node()));
        ada->SetFirstName("Ada");
        ada->SetLastName("Brennan");
        ada->SetValue(" Ada Brennan");
        auto *work = static_cast<TAddressObject *>(add(ItemKind::Address, "Work", ada->Node(), "9 Orchard Lane"));
        work->SetLines({"9 Orchard Lane"});
        work->SetCity("Madison");
        work->SetState("WI");
        ada->SetPrimaryAddress("Work");
        home = static_cast<TAddressObject *>(add(ItemKind::Address, "Home", ada->Node(), "1 Elm St"));
        home->SetLines({"1 Elm St"});
    }
    void choose(TReportForm &form, ReportType type) { form.typeCombo()->setCurrentIndex(int(type)); }

    QPrinter printer{QPrinter::HighResolution};
    TZEBObject *friends = nullptr;
    TPersonObject *ada = nullptr;
    TAddressObject *home = nullptr;
};

} // namespace

TEST_F(ReportFormTest, ChoosingALabelSheetFillsItsSettings)
{
    TReportForm form(printer);
    form.Initialize(friends->Node(), nullptr);
    // The first sheet is chosen when the dialog opens.
    EXPECT_DOUBLE_EQ(form.labelField(0)->value(), 0.58);
    form.labelList()->setCurrentRow(1);
    std::vector<double> shown;
    for (int i = 0; i < 6; ++i)
        shown.push_back(form.labelField(i)->value());
    EXPECT_EQ(form.labelField(0)->text(), "0.50 in");
    EXPECT_EQ(shown, (std::vector<double>{0.50, 0.19, 1.00, 2.63, 2.75, 1.00}));
    EXPECT_EQ(form.acrossField()->value(), 3);

    // A setting changed by hand is what prints.
    form.labelField(1)->setValue(0.25);
    choose(form, ReportType::Labels);
    const ReportOptions options = form.Options();
    EXPECT_EQ(options.type, ReportType::Labels);
    EXPECT_EQ(options.label.Side, 25);
    EXPECT_EQ(options.label.HPitch, 275);
    const ReportDocument doc = form.Document();
    ASSERT_EQ(doc.pages.size(), 1u);
    ASSERT_FALSE(doc.pages[0].texts.empty());
    EXPECT_EQ(doc.pages[0].texts[0].text, "Ada Brennan");
    EXPECT_EQ(doc.pages[0].texts[0].box.topLeft(), QPointF(30, 55));
}

TEST_F(ReportFormTest, SheetsStartWithTheirDefaults)
{
    TReportForm form(printer);
    form.Initialize(friends->Node(), nullptr);
    EXPECT_EQ(form.typeCombo()->count(), 6);
    EXPECT_EQ(form.typeCombo()->currentText(), "People & Organization List");
    ReportOptions listing = form.Options();
    EXPECT_EQ(listing.title, "Contact List");
    EXPECT_EQ(listing.topMargin, 5);
    EXPECT_EQ(listing.bottomMargin, 5);
    EXPECT_EQ(listing.leftMargin, 0);
    EXPECT_FALSE(listing.landscape);
    choose(form, ReportType::Simple);
    EXPECT_EQ(form.Options().title, "My Contacts/Friends");
    choose(form, ReportType::Reminders);
    EXPECT_EQ(form.Options().title, "Reminder Listing");
    choose(form, ReportType::AddressBook);
    EXPECT_EQ(form.Options().columns, 1);
    EXPECT_EQ(form.Options().gutter, 10);
    choose(form, ReportType::Envelope);
    EXPECT_EQ(form.Options().envelope, "#10 Env (4.125 x 9.5 in)");
}

TEST_F(ReportFormTest, EnvelopeAddressesAndTheSavedReturnAddress)
{
    WriteBytes("ret_addr.dat", "Kim Sample\r\n44 Linden Avenue\r\n");
    {
        TReportForm form(printer);
        form.Initialize(ada->Node(), nullptr);
        EXPECT_EQ(form.returnBox()->toPlainText(), "Kim Sample\n44 Linden Avenue");
        EXPECT_EQ(form.deliveryBox()->toPlainText(), "Ada Brennan\n9 Orchard Lane\nMadison, WI");
        form.returnBox()->setPlainText("Lee Home\n2 Oak St\n");
        form.reject(); // not ticked: the file stays
    }
    EXPECT_EQ(ReadBytes("ret_addr.dat"), "Kim Sample\r\n44 Linden Avenue\r\n");
    {
        TReportForm form(printer);
        form.Initialize(ada->Node(), home);
        EXPECT_EQ(form.deliveryBox()->toPlainText(), "Ada Brennan\n1 Elm St");
        form.returnBox()->setPlainText("Lee Home\n2 Oak St\n");
        form.saveReturnCheck()->setChecked(true);
        form.reject();
    }
    EXPECT_EQ(ReadBytes("ret_addr.dat"), "Lee Home\r\n2 Oak St\r\n");
    // A return address that cannot be written is said: here a directory holds its name.
    QFile::remove("ret_addr.dat");
    QDir().mkdir("ret_addr.dat");
    {
        TReportForm form(printer);
        form.Initialize(ada->Node(), nullptr);
        EXPECT_TRUE(form.returnBox()->toPlainText().isEmpty());
        form.returnBox()->setPlainText("Lee Home");
        form.saveReturnCheck()->setChecked(true);
        form.reject();
    }
    EXPECT_EQ(services.errors.size(), 1);
}

TEST_F(ReportFormTest, SavesThePdfOrSaysWhyNot)
{
    TReportForm form(printer);
    form.Initialize(friends->Node(), nullptr);
    choose(form, ReportType::AddressBook);
    form.SavePdf(dir.filePath("book.pdf"));
    EXPECT_TRUE(ReadBytes(dir.filePath("book.pdf")).startsWith("%PDF"));
    EXPECT_TRUE(services.errors.isEmpty());
    form.SavePdf(dir.filePath("no/such/dir/book.pdf"));
    EXPECT_EQ(services.errors.size(), 1);
}

TEST_F(ReportFormTest, AnEnvelopesPaperDoesNotStayForTheNextReport)
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    TReportForm form(printer);
    form.Initialize(ada->Node(), nullptr);
    choose(form, ReportType::Envelope);
    bool shown = false;
    QSizeF paperShown;
    auto *timer = new QTimer(&form);
    QObject::connect(timer, &QTimer::timeout, timer, [&, timer] {
        QWidget *preview = QApplication::activeModalWidget();
        if (!preview || preview == &form)
            return;
        timer->stop();
        shown = true;
        paperShown = printer.pageLayout().fullRect(QPageLayout::Inch).size();
        preview->close();
    });
    timer->start(5);
    form.PreviewBtnClick();
    EXPECT_TRUE(shown);
    EXPECT_NEAR(paperShown.width(), 9.5, 0.01);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    choose(form, ReportType::Listing);
    EXPECT_NEAR(form.Options().paper.width(), 827, 1);
}
