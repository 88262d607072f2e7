#include "numberfield.h"

#include <QLabel>

NumberField::NumberField(QWidget *parent) : QLineEdit(parent) {}

void NumberField::setFormatMask(const QString &mask)
{
    m_mask = NumberMask(mask);
    setInputMask(m_mask.qtInputMask());
}

QString NumberField::shownText() const { return m_mask.isEmpty() ? text() : displayText(); }

QString NumberField::bareText() const { return m_mask.bareText(shownText()); }

PhoneFormatList::PhoneFormatList(const QList<PhoneFormat> &formats, NumberField *field, QWidget *parent)
    : QComboBox(parent), m_formats(formats), m_field(field)
{
    addItems(FormatNames(formats));
    connect(this, &QComboBox::currentIndexChanged, field,
            [this](int index) { m_field->setFormatMask(FormatMask(m_formats, index)); });
}

void PhoneFormatList::choose(int index)
{
    setCurrentIndex(index);
    m_field->setFormatMask(FormatMask(m_formats, currentIndex()));
}

NumberEntry::NumberEntry(const QString &fieldName, const QString &listName, const QString &labelText,
                         const QList<PhoneFormat> &formatList, QWidget *parent)
    : field(new NumberField(parent)), formats(new PhoneFormatList(formatList, field, parent)),
      label(new QLabel(labelText, parent))
{
    field->setObjectName(fieldName);
    formats->setObjectName(listName);
    label->setBuddy(formats);
}

void NumberEntry::start(bool isNew)
{
    formats->setVisible(isNew);
    label->setVisible(isNew);
    if (isNew)
        formats->choose(0);
}
