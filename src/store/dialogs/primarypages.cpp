#include "primarypages.h"

#include "fieldwidgets.h"
#include "numberfield.h"
#include "store/primarypage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>

namespace {
constexpr int CommentLimit = 255;
}

PrimaryPagesWidget::PrimaryPagesWidget(TContactObject &owner, bool isNew, QWidget *parent)
    : QTabWidget(parent), m_owner(owner)
{
    setUsesScrollButtons(false); // all five page tabs in view
    addTab(addressPage(), tr("Primary Address"));
    addTab(phonePage(), tr("Primary Phone"));
    addTab(faxPage(), tr("Primary FAX"));
    addTab(emailPage(), tr("Primary E-mail"));
    addTab(websitePage(), tr("Primary Website"));

    const TPrimaryPages start = isNew ? NewPrimaryPages() : PrimaryPagesOf(owner);
    const bool listTitles = HasContactChildren(owner);
    for (int kind : {Kinds::Address, Kinds::Phone, Kinds::Fax, Kinds::EMail, Kinds::Website}) {
        QComboBox *list = titleList(kind);
        if (listTitles)
            list->addItems(owner.ChildTitles(kind));
        showPage(kind, start);
    }
    m_addrTitle->setEditText(start.AddrTitle);
    m_phoneTitle->setEditText(start.PhoneTitle);
    m_faxTitle->setEditText(start.FaxTitle);
    m_emailTitle->setEditText(start.EMailTitle);
    m_webTitle->setEditText(start.WebTitle);

    // A new owner's numbers are typed in a format, starting free; stored numbers
    // are edited as plain text.
    for (QWidget *w : {static_cast<QWidget *>(m_phoneFmt), static_cast<QWidget *>(m_phoneFmtLabel),
                       static_cast<QWidget *>(m_faxFmt), static_cast<QWidget *>(m_faxFmtLabel)})
        w->setVisible(isNew);
    if (isNew) {
        m_phoneFmt->choose(0);
        m_faxFmt->choose(0);
    }
}

QComboBox *PrimaryPagesWidget::titleList(int kind) const
{
    switch (kind) {
    case Kinds::Address: return m_addrTitle;
    case Kinds::Phone: return m_phoneTitle;
    case Kinds::Fax: return m_faxTitle;
    case Kinds::EMail: return m_emailTitle;
    case Kinds::Website: return m_webTitle;
    default: return nullptr;
    }
}

QComboBox *PrimaryPagesWidget::makeTitleList(const QString &name, int kind, QWidget *page)
{
    auto *list = new QComboBox(page);
    list->setObjectName(name);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    connect(list, &QComboBox::activated, this, [this, kind] { titleChosen(kind); });
    return list;
}

QWidget *PrimaryPagesWidget::addressPage()
{
    auto *page = new QWidget(this);
    m_addrTitle = makeTitleList(QStringLiteral("AddrTitle"), Kinds::Address, page);
    m_addr = new StreetMemo(120, page);
    m_addr->setObjectName(QStringLiteral("Addr"));
    m_city = MakeLimitedEdit(QStringLiteral("City"), 25, page);
    m_state = MakeLimitedEdit(QStringLiteral("State"), 20, page);
    m_postCode = MakeLimitedEdit(QStringLiteral("PostCode"), 10, page);
    m_country = MakeLimitedEdit(QStringLiteral("Country"), 15, page);
    m_addrComment = MakeLimitedEdit(QStringLiteral("AddrComment"), CommentLimit, page);
    auto *form = new QFormLayout(page);
    form->addRow(tr("Title:"), m_addrTitle);
    form->addRow(tr("Address:"), m_addr);
    form->addRow(tr("City:"), m_city);
    form->addRow(tr("State/Province:"), m_state);
    form->addRow(tr("Postal Code:"), m_postCode);
    form->addRow(tr("Country:"), m_country);
    form->addRow(tr("Comment:"), m_addrComment);
    return page;
}

QWidget *PrimaryPagesWidget::phonePage()
{
    auto *page = new QWidget(this);
    m_phoneTitle = makeTitleList(QStringLiteral("PhoneTitle"), Kinds::Phone, page);
    m_phoneNum = new NumberField(page);
    m_phoneNum->setObjectName(QStringLiteral("PhoneNum"));
    m_extension = MakeLimitedEdit(QStringLiteral("Extension"), 6, page);
    m_phoneFmt = new PhoneFormatList(PhoneFormats(), m_phoneNum, page);
    m_phoneFmt->setObjectName(QStringLiteral("PhoneFmt"));
    m_phoneFmtLabel = new QLabel(tr("Phone Number Format"), page);
    m_phoneComment = MakeLimitedEdit(QStringLiteral("PhoneComment"), CommentLimit, page);
    auto *form = new QFormLayout(page);
    form->addRow(tr("Title:"), m_phoneTitle);
    form->addRow(tr("Number:"), m_phoneNum);
    form->addRow(tr("Extension:"), m_extension);
    form->addRow(m_phoneFmtLabel, m_phoneFmt);
    form->addRow(tr("Comment:"), m_phoneComment);
    return page;
}

QWidget *PrimaryPagesWidget::faxPage()
{
    auto *page = new QWidget(this);
    m_faxTitle = makeTitleList(QStringLiteral("FaxTitle"), Kinds::Fax, page);
    m_faxNum = new NumberField(page);
    m_faxNum->setObjectName(QStringLiteral("FaxNum"));
    m_faxFmt = new PhoneFormatList(PhoneFormats(), m_faxNum, page);
    m_faxFmt->setObjectName(QStringLiteral("FaxFmt"));
    m_faxFmtLabel = new QLabel(tr("Fax Number Format"), page);
    m_faxComment = MakeLimitedEdit(QStringLiteral("FaxComment"), CommentLimit, page);
    auto *form = new QFormLayout(page);
    form->addRow(tr("Title:"), m_faxTitle);
    form->addRow(tr("Number:"), m_faxNum);
    form->addRow(m_faxFmtLabel, m_faxFmt);
    form->addRow(tr("Comment:"), m_faxComment);
    return page;
}

QWidget *PrimaryPagesWidget::emailPage()
{
    auto *page = new QWidget(this);
    m_emailTitle = makeTitleList(QStringLiteral("EMailTitle"), Kinds::EMail, page);
    m_emailAddr = MakeLimitedEdit(QStringLiteral("EMailAddr"), 80, page);
    m_emailComment = MakeLimitedEdit(QStringLiteral("EMailComment"), CommentLimit, page);
    auto *form = new QFormLayout(page);
    form->addRow(tr("Title:"), m_emailTitle);
    form->addRow(tr("Address:"), m_emailAddr);
    form->addRow(tr("Comment:"), m_emailComment);
    return page;
}

QWidget *PrimaryPagesWidget::websitePage()
{
    auto *page = new QWidget(this);
    m_webTitle = makeTitleList(QStringLiteral("WebTitle"), Kinds::Website, page);
    m_web = MakeWebCombo(QStringLiteral("Web"), page);
    m_webComment = MakeLimitedEdit(QStringLiteral("WebComment"), CommentLimit, page);
    auto *form = new QFormLayout(page);
    form->addRow(tr("Title:"), m_webTitle);
    form->addRow(tr("Address:"), m_web);
    form->addRow(tr("Comment:"), m_webComment);
    return page;
}

void PrimaryPagesWidget::titleChosen(int kind)
{
    if (!HasContactChildren(m_owner))
        return;
    TPrimaryPages values;
    if (ReadPrimaryPage(m_owner, kind, titleList(kind)->currentText(), values))
        showPage(kind, values);
}

void PrimaryPagesWidget::showPage(int kind, const TPrimaryPages &v)
{
    switch (kind) {
    case Kinds::Address:
        m_addr->setLines(v.AddrLines);
        SetLimitedText(m_city, 25, v.City);
        SetLimitedText(m_state, 20, v.State);
        SetLimitedText(m_postCode, 10, v.PostCode);
        SetLimitedText(m_country, 15, v.Country);
        SetLimitedText(m_addrComment, CommentLimit, v.AddrComment);
        break;
    case Kinds::Phone:
        m_phoneNum->setText(v.PhoneNum);
        SetLimitedText(m_extension, 6, v.Extension);
        SetLimitedText(m_phoneComment, CommentLimit, v.PhoneComment);
        break;
    case Kinds::Fax:
        m_faxNum->setText(v.FaxNum);
        SetLimitedText(m_faxComment, CommentLimit, v.FaxComment);
        break;
    case Kinds::EMail:
        SetLimitedText(m_emailAddr, 80, v.EMailAddr);
        SetLimitedText(m_emailComment, CommentLimit, v.EMailComment);
        break;
    case Kinds::Website:
        if (!v.Web.isEmpty())
            m_web->setEditText(v.Web);
        SetLimitedText(m_webComment, CommentLimit, v.WebComment);
        break;
    default:
        break;
    }
}

TPrimaryPages PrimaryPagesWidget::pages() const
{
    TPrimaryPages p;
    p.AddrTitle = m_addrTitle->currentText();
    p.AddrLines = m_addr->lines();
    p.City = m_city->text();
    p.State = m_state->text();
    p.PostCode = m_postCode->text();
    p.Country = m_country->text();
    p.AddrComment = m_addrComment->text();
    p.PhoneTitle = m_phoneTitle->currentText();
    p.PhoneNum = m_phoneNum->shownText();
    p.PhoneBare = m_phoneNum->bareText();
    p.Extension = m_extension->text();
    p.PhoneComment = m_phoneComment->text();
    p.FaxTitle = m_faxTitle->currentText();
    p.FaxNum = m_faxNum->shownText();
    p.FaxBare = m_faxNum->bareText();
    p.FaxComment = m_faxComment->text();
    p.EMailTitle = m_emailTitle->currentText();
    p.EMailAddr = m_emailAddr->text();
    p.EMailComment = m_emailComment->text();
    p.WebTitle = m_webTitle->currentText();
    p.Web = m_web->currentText();
    p.WebComment = m_webComment->text();
    return p;
}
