#pragma once

#include <QString>

// One item of a quotation: what the public body asks for and what the supplier answers.
// The price-survey vocabulary carries neither the treatment nor the minimum quantity, the
// estimated value or the maximum price: in a survey they stay 0.
class TItem
{
public:
    qint32 Codigo = 0; // item number within its list
    qint32 CodigoMatServ = 0; // the public body's code of the material or service
    qint32 Tratamento = 0; // treatment code, see NomeTratamento
    QString DescricaoMatServ;
    QString ObjetoResumidoMatServ;
    QString ObjetoResumidoItem;
    QString Marca; // the supplier's answer
    QString Observacao; // the supplier's answer
    double Quantidade = 0;
    double QuantidadeMinima = 0; // carried with the file, never shown
    double ValorCotado = 0; // unit price quoted by the supplier, in reais
    double ValorEstimado = 0;
    double ValorMaximo = 0; // maximum unit price accepted; 0 means no maximum
};

// Display text of a treatment code: 1 "Normal", 2 "Exclusivo para ME/EPP", 3 "Cota Principal",
// 4 "Cota Reservada", empty for any other code.
QString NomeTratamento(qint32 codigo);
