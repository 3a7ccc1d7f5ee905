#include "components/uCaractereCampo.h"

#include "common/uConfiguracaoRegional.h"
#include "components/MemTable.h"

bool CampoAceitaCaractere(const TField &campo, QChar caractere)
{
    const bool sinalOuDigito
        = (caractere >= u'0' && caractere <= u'9') || caractere == u'+' || caractere == u'-';
    switch (campo.DataType()) {
    case ftSmallint:
    case ftInteger:
        return sinalOuDigito;
    case ftFloat:
        return sinalOuDigito || caractere == FormatoBrasileiro().DecimalSeparator
            || caractere == u'E' || caractere == u'e';
    default:
        return true;
    }
}
