#pragma once

#include <QString>

// Writes count vCard 3.0 cards to fileName, one person each with a home address, a home
// and a cell phone, an e-mail address and a website. False when it cannot be written.
bool WriteGeneratedVCards(const QString &fileName, int count);
