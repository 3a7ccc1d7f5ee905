#pragma once

// The header of a tender and of a price survey as the details windows show them, with long
// texts that wrap: shared by the windows' tests and the documentation's pictures.

#include "components/MemTable.h"

#include <QString>
#include <QVariant>

#include <utility>
#include <vector>

using TValores = std::vector<std::pair<const char *, QVariant>>;

inline const QString Objeto = QStringLiteral(
    "Aquisição de material de expediente para as secretarias municipais, conforme "
    "especificações e quantidades constantes do Termo de Referência (Anexo I).\n"
    "Itens: papel sulfite A4, canetas esferográficas, grampeadores e pastas suspensas.\n"
    "Entrega parcelada conforme a demanda de cada secretaria.\n"
    "Prazo de validade da proposta: 60 (sessenta) dias.\n"
    "Pagamento em até 30 (trinta) dias após o atesto da nota fiscal.");

inline const QString PrazoLongo = QStringLiteral(
    "Em até 10 (dez) dias úteis após o recebimento da ordem de fornecimento, emitida pelo "
    "Departamento de Compras da Prefeitura Municipal, sob pena das sanções previstas no edital.\n"
    "Segunda linha do prazo.");

inline TValores Licitacao(const char *forma)
{
    return {
        {"TipoCotacao", 0},
        {"ELIDESCRICAO", QStringLiteral("Prefeitura Municipal de Santa Rita do Sapucaí")},
        {"LICNUMEROALFA", QStringLiteral("12/2024")},
        {"LICMODALIDADE", QStringLiteral("Pr")},
        {"LICREGISTROPRECOS", false},
        {"FormaJulgamento", QString::fromLatin1(forma)},
        {"LICVALORTOTALLICITADO", 1234567.891},
        {"Objeto", Objeto},
        {"FormaEntregaTipo", QStringLiteral("Pa")},
        {"FormaEntregaPrazo", PrazoLongo},
        {"FormaEntregaLocal", QStringLiteral("Almoxarifado Central, Rua Cel. Joaquim, 123")},
        {"PrazoEntregaData", QStringLiteral("04/11/2024")},
        {"PrazoEntregaHora", QStringLiteral("09:00:00")},
        {"PrazoEntregaLocal", QStringLiteral("Protocolo Geral da Prefeitura")},
        {"LICDATAABERTURA", QStringLiteral("05/11/2024")},
        {"LICHORAABERTURA", QStringLiteral("14:30:00")},
        {"LICLOCALABERTURA", QStringLiteral("Sala de Licitações, 2º andar do Paço Municipal")},
    };
}

inline TValores Pesquisa()
{
    return {
        {"TipoCotacao", 1},
        {"CODIGOPESQUISA", 57},
        {"FormaJulgamento", QStringLiteral("Gl")},
        {"Objeto", Objeto},
        {"PrazoEntregaData", QStringLiteral("18/03/2025")},
        {"PrazoEntregaHora", QStringLiteral("17:45:00")},
        {"PrazoEntregaLocal", QStringLiteral("Setor de Compras, Av. Brasil, 900")},
        {"FormaEntregaTipo", QStringLiteral("Un")},
        {"FormaEntregaPrazo", QStringLiteral("Em até 5 (cinco) dias corridos")},
        {"FormaEntregaLocal", QStringLiteral("Escola Municipal Dona Benta")},
    };
}

// Appends one header row with the values.
inline void PreencherDados(TMemoryTable &mmDados, const TValores &valores)
{
    mmDados.Append();
    for (const auto &[campo, valor] : valores)
        mmDados.FieldByName(QString::fromLatin1(campo)).SetValue(valor);
    mmDados.Post();
}
