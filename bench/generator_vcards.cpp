#include "generator_vcards.h"

#include <QFile>

bool WriteGeneratedVCards(const QString &fileName, int count)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray block;
    for (int i = 0; i < count; ++i) {
        const QByteArray n = QByteArray::number(i);
        const QByteArray phone = QByteArray::number(1000000 + i).right(7);
        block += "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Last" + n + ";First" + n + ";;;\r\nFN:First" + n + " Last" + n +
                 "\r\nADR;TYPE=HOME:;;" + n + " Main Street;Springfield;IL;" + QByteArray::number(62000 + i % 1000) +
                 ";USA\r\nTEL;TYPE=HOME,VOICE:555-" + phone + "\r\nTEL;TYPE=CELL:556-" + phone +
                 "\r\nEMAIL;TYPE=INTERNET:person" + n + "@example.com\r\nURL:https://example.com/~person" + n +
                 "\r\nEND:VCARD\r\n";
        if (block.size() > (1 << 20) || i + 1 == count) {
            if (file.write(block) != block.size())
                return false;
            block.clear();
        }
    }
    return file.flush();
}
