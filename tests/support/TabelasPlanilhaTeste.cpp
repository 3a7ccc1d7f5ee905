#include "support/TabelasPlanilhaTeste.h"

#include "exchange/uVTExpImpCotacao.h"
#include "model/uItensCotacao.h"

TCotacaoAberta::TCotacaoAberta(const TDadosCotacao &cotacao)
{
    tabelas.Abrir();
    tabelas.mmGrupos.AfterScroll = [this](TMemoryTable &) { regras.SeguirLote(); };
    tabelas.mmCotas.AfterScroll = [this](TMemoryTable &) { regras.SeguirCota(); };
    GravarArquivoCotacao(cotacao, pasta.path(), QStringLiteral("Cotacao"));
    regras.NovoControlador();
    regras.Carregar(QStringLiteral("Cotacao"), Diretorio());
    tabelas.mmItens.First();
    tabelas.mmGrupos.First();
    tabelas.mmCotas.First();
    regras.CalcularTotais();
}

double TCotacaoAberta::Preco(int lote, int item, int tratamento)
{
    double preco = -1;
    LerTodosOsItens(tabelas.mmItens, [&] {
        if (tabelas.mmItens.FieldByName(QStringLiteral("CodGrupo")).AsInteger() == lote
            && tabelas.mmItens.FieldByName(QStringLiteral("Item")).AsInteger() == item
            && tabelas.mmItensTratamento->AsInteger() == tratamento)
            preco = tabelas.mmItensVlCotado->AsFloat();
    });
    return preco;
}

QString TCotacaoAberta::Marca(int lote, int item, int tratamento)
{
    QString marca;
    LerTodosOsItens(tabelas.mmItens, [&] {
        if (tabelas.mmItens.FieldByName(QStringLiteral("CodGrupo")).AsInteger() == lote
            && tabelas.mmItens.FieldByName(QStringLiteral("Item")).AsInteger() == item
            && tabelas.mmItensTratamento->AsInteger() == tratamento)
            marca = tabelas.mmItens.FieldByName(QStringLiteral("ITEMMARCA")).AsString();
    });
    return marca;
}

TCelulaPlanilha Num(double valor)
{
    TCelulaPlanilha celula;
    celula.Tipo = TTipoCelula::Numero;
    celula.Numero = valor;
    return celula;
}

TCelulaPlanilha Txt(const char *texto)
{
    return CelulaDeTexto(QString::fromUtf8(texto));
}

TCelulaPlanilha Vazia()
{
    return {};
}

TCelulaPlanilha Data(double dias)
{
    TCelulaPlanilha celula = Num(dias);
    celula.Tipo = TTipoCelula::Data;
    return celula;
}

TCelulaPlanilha Logico(bool valor)
{
    TCelulaPlanilha celula = Num(valor ? 1 : 0);
    celula.Tipo = TTipoCelula::Booleano;
    return celula;
}

TPlanilhaLida PlanilhaTeste(std::initializer_list<std::vector<TCelulaPlanilha>> linhas)
{
    TPlanilhaLida planilha;
    int numero = 0;
    for (const std::vector<TCelulaPlanilha> &celulas : linhas)
        planilha.Linhas.push_back({++numero, celulas});
    return planilha;
}
