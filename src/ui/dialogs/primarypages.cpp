#include "primarypages.h"

#include "fieldwidgets.h"
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
    addTab(addressPage(), tr("Primary Address"));
    addTab(phonePage(), tr("Primary Phone"));
    addTab(faxPage(), tr("Primary FAX"));
    addTab(emailPage(), tr("Primary E-mail"));
    addTab(websitePage(), tr("Primary Website"));
    // All five page captions stay in sight: the dialog grows to fit them.
    setUsesScrollButtons(false);

    const TPrimaryPages start = isNew ? NewPrimaryPages() : PrimaryPagesOf(owner);
    const bool listTitles = HasContactChildren(owner);
    for (ItemKind kind : {ItemKind::Address, ItemKind::Phone, ItemKind::Fax, ItemKind::EMail, ItemKind::Website}) {
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

    // A new owner's numbers start in "Free Format"; stored ones are plain text.
    m_phone->start(isNew);
    m_fax->start(isNew);
}

QComboBox *PrimaryPagesWidget::titleList(ItemKind kind) const
{
    switch (kind) {
    case ItemKind::Address: return m_addrTitle;
    case ItemKind::Phone: return m_phoneTitle;
    case ItemKind::Fax: return m_faxTitle;
    case ItemKind::EMail: return m_emailTitle;
    case ItemKind::Website: return m_webTitle;
    default: return nullptr;
    }
}

QComboBox *PrimaryPagesWidget::makeTitleList(const QString &name, ItemKind kind, QWidget *page)
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
    m_addrTitle = makeTitleList(QStringLiteral("AddrTitle"), ItemKind::Address, page);
    m_address.emplace(page);
    auto *form = new QFormLayout(page);
    form->addRow(tr("Title:"), m_addrTitle);
    m_address->addRows(form, false);
    return page;
}

QWidget *PrimaryPagesWidget::phonePage()
{
    auto *page = new QWidget(this);
    m_phoneTitle = makeTitleList(QStringLiteral("PhoneTitle"), ItemKind::Phone, page);
    m_phone.emplace(QStringLiteral("PhoneNum"), QStringLiteral("PhoneFmt"), tr("Phone Number Format"), PhoneFormats(),
                    page);
    m_extension = MakeLimitedEdit(QStringLiteral("Extension"), 6, page);
    m_phoneComment = MakeLimitedEdit(QStringLiteral("PhoneComment"), CommentLimit, page);
    auto *form = new QFormLayout(page);
    form->addRow(tr("Title:"), m_phoneTitle);
    form->addRow(tr("Number:"), m_phone->field);
    form->addRow(tr("Extension:"), m_extension);
    form->addRow(m_phone->label, m_phone->formats);
    form->addRow(tr("Comment:"), m_phoneComment);
    return page;
}

QWidget *PrimaryPagesWidget::faxPage()
{
    auto *page = new QWidget(this);
    m_faxTitle = makeTitleList(QStringLiteral("FaxTitle"), ItemKind::Fax, page);
    // The fax page lists the formats in the phone order, "Free Format" first.
    m_fax.emplace(QStringLiteral("FaxNum"), QStringLiteral("FaxFmt"), tr("Fax Number Format"), PhoneFormats(), page);
    m_faxComment = MakeLimitedEdit(QStringLiteral("FaxComment"), CommentLimit, page);
    auto *form = new QFormLayout(page);
    form->addRow(tr("Title:"), m_faxTitle);
    form->addRow(tr("Number:"), m_fax->field);
    form->addRow(m_fax->label, m_fax->formats);
    form->addRow(tr("Comment:"), m_faxComment);
    return page;
}

QWidget *PrimaryPagesWidget::emailPage()
{
    auto *page = new QWidget(this);
    m_emailTitle = makeTitleList(QStringLiteral("EMailTitle"), ItemKind::EMail, page);
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
    m_webTitle = makeTitleList(QStringLiteral("WebTitle"), ItemKind::Website, page);
    m_web = MakeWebCombo(QStringLiteral("Web"), page);
    m_webComment = MakeLimitedEdit(QStringLiteral("WebComment"), CommentLimit, page);
    auto *form = new QFormLayout(page);
    form->addRow(tr("Title:"), m_webTitle);
    form->addRow(tr("Address:"), m_web);
    form->addRow(tr("Comment:"), m_webComment);
    return page;
}

void PrimaryPagesWidget::titleChosen(ItemKind kind)
{
    if (!HasContactChildren(m_owner))
        return;
    TPrimaryPages values;
    if (ReadPrimaryPage(m_owner, kind, titleList(kind)->currentText(), values))
        showPage(kind, values);
}

void PrimaryPagesWidget::showPage(ItemKind kind, const TPrimaryPages &v)
{
    switch (kind) {
    case ItemKind::Address:
        m_address->show({QString(), v.AddrLines, v.City, v.State, v.PostCode, v.Country, v.AddrComment});
        break;
    case ItemKind::Phone:
        m_phone->field->setText(v.PhoneNum);
        SetLimitedText(m_extension, 6, v.Extension);
        SetLimitedText(m_phoneComment, CommentLimit, v.PhoneComment);
        break;
    case ItemKind::Fax:
        m_fax->field->setText(v.FaxNum);
        SetLimitedText(m_faxComment, CommentLimit, v.FaxComment);
        break;
    case ItemKind::EMail:
        SetLimitedText(m_emailAddr, 80, v.EMailAddr);
        SetLimitedText(m_emailComment, CommentLimit, v.EMailComment);
        break;
    case ItemKind::Website:
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
    const TAddressObject::DialogValues address = m_address->values();
    p.AddrLines = address.Lines;
    p.City = address.City;
    p.State = address.State;
    p.PostCode = address.PostalCode;
    p.Country = address.Country;
    p.AddrComment = address.Comment;
    p.PhoneTitle = m_phoneTitle->currentText();
    p.PhoneNum = m_phone->field->shownText();
    p.PhoneBare = m_phone->field->bareText();
    p.Extension = m_extension->text();
    p.PhoneComment = m_phoneComment->text();
    p.FaxTitle = m_faxTitle->currentText();
    p.FaxNum = m_fax->field->shownText();
    p.FaxBare = m_fax->field->bareText();
    p.FaxComment = m_faxComment->text();
    p.EMailTitle = m_emailTitle->currentText();
    p.EMailAddr = m_emailAddr->text();
    p.EMailComment = m_emailComment->text();
    p.WebTitle = m_webTitle->currentText();
    p.Web = m_web->currentText();
    p.WebComment = m_webComment->text();
    return p;
}
