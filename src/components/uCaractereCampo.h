#pragma once

#include <QChar>

class TField;

// Whether a typed character may go into the field at all: numbers take digits, signs and, for
// reals, the decimal separator and the exponent letter; every other kind takes any character.
bool CampoAceitaCaractere(const TField &campo, QChar caractere);
