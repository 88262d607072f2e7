#pragma once

#include <QByteArrayView>
#include <QStringView>

#include <memory>
#include <vector>

// Room for the texts made while a card is read and mapped (a value put together from
// folded lines or unescaped, a numbered title): what is put there stays where it is until
// Clear, so views into it hold while more is added. Kept from card to card.
class TextRoom
{
public:
    // n bytes to write into; what is not used of them is given back with GiveBack.
    char *Take(qsizetype n);
    // Gives back the room of the last Take from end on.
    void GiveBack(const char *end);
    QByteArrayView Copy(QByteArrayView text);
    // The text as UTF-8.
    QByteArrayView Copy(QStringView text);
    // Empty again, keeping the largest block.
    void Clear();

private:
    struct Block
    {
        std::unique_ptr<char[]> bytes;
        qsizetype size;
    };
    std::vector<Block> m_blocks;
    qsizetype m_used = 0; // of the last block
};
