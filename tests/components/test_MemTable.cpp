#include "components/MemTable.h"
#include "support/ImpressaoQt.h"

#include <QBuffer>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

// A table shaped like the program's items table, with the item total computed by its handler.
class Itens : public ::testing::Test
{
protected:
    Itens()
    {
        t.AdicionarCampo(QStringLiteral("Item"), ftSmallint).SetRequired(true);
        t.AdicionarCampo(QStringLiteral("Tratamento"), ftInteger);
        t.AdicionarCampo(QStringLiteral("CodMaterial"), ftInteger);
        t.AdicionarCampo(QStringLiteral("DescMaterial"), ftString, 900);
        t.AdicionarCampo(QStringLiteral("QtdLicitada"), ftFloat);
        t.AdicionarCampo(QStringLiteral("VlCotado"), ftFloat);
        t.AdicionarCampo(QStringLiteral("CodGrupo"), ftSmallint);
        t.AdicionarCampo(QStringLiteral("ITEMMARCA"), ftString, 20);
        t.AdicionarCampo(QStringLiteral("calcVlTotalCotado"), ftFloat, 0, fkCalculated);
        t.OnCalcFields = [](TMemoryTable &tabela) {
            tabela.FieldByName(QStringLiteral("calcVlTotalCotado"))
                .SetAsFloat(tabela.FieldByName(QStringLiteral("QtdLicitada")).AsFloat()
                    * tabela.FieldByName(QStringLiteral("VlCotado")).AsFloat());
        };
        t.Open();
    }

    TField &F(const char *nome) { return t.FieldByName(QLatin1String(nome)); }

    void Adicionar(int item, int grupo, int tratamento, double qtd = 1, double valor = 0)
    {
        t.Append();
        F("Item").SetAsInteger(item);
        F("CodGrupo").SetAsInteger(grupo);
        F("Tratamento").SetAsInteger(tratamento);
        F("QtdLicitada").SetAsFloat(qtd);
        F("VlCotado").SetAsFloat(valor);
        t.Post();
    }

    // Items 1 to 6: lot 1 holds 1-3 (treatments 1, 4, 3), lot 2 holds 4-6 (4, 1, 4).
    void Preencher()
    {
        const int tratamentos[] = {1, 4, 3, 4, 1, 4};
        for (int i = 0; i < 6; ++i)
            Adicionar(i + 1, i < 3 ? 1 : 2, tratamentos[i]);
    }

    // The item numbers of the rows that iteration visits.
    QList<int> Visitados()
    {
        QList<int> itens;
        for (t.First(); !t.Eof(); t.Next())
            itens.append(F("Item").AsInteger());
        return itens;
    }

    int ItemAtual() { return F("Item").AsInteger(); }

    TMemoryTable t {QStringLiteral("mmItens")};
};

// Records every event step of a table by name.
struct Eventos
{
    explicit Eventos(TMemoryTable &tabela)
    {
        const std::pair<TMemoryTable::TDataSetEvent TMemoryTable::*, const char *> todos[] = {
            {&TMemoryTable::AfterCancel, "AfterCancel"},
            {&TMemoryTable::AfterClose, "AfterClose"},
            {&TMemoryTable::AfterDelete, "AfterDelete"},
            {&TMemoryTable::AfterEdit, "AfterEdit"},
            {&TMemoryTable::AfterInsert, "AfterInsert"},
            {&TMemoryTable::AfterOpen, "AfterOpen"},
            {&TMemoryTable::AfterPost, "AfterPost"},
            {&TMemoryTable::AfterScroll, "AfterScroll"},
            {&TMemoryTable::BeforeCancel, "BeforeCancel"},
            {&TMemoryTable::BeforeClose, "BeforeClose"},
            {&TMemoryTable::BeforeDelete, "BeforeDelete"},
            {&TMemoryTable::BeforeEdit, "BeforeEdit"},
            {&TMemoryTable::BeforeInsert, "BeforeInsert"},
            {&TMemoryTable::BeforeOpen, "BeforeOpen"},
            {&TMemoryTable::BeforePost, "BeforePost"},
            {&TMemoryTable::BeforeScroll, "BeforeScroll"},
            {&TMemoryTable::OnNewRecord, "OnNewRecord"},
        };
        for (const auto &[evento, nome] : todos) {
            const QString texto = QLatin1String(nome);
            tabela.*evento = [this, texto](TMemoryTable &) { nomes.append(texto); };
        }
    }
    QStringList nomes;
};

// Records every signal of a data source as text.
struct Sinais
{
    explicit Sinais(TMemoryTable &tabela)
    {
        fonte.SetDataSet(&tabela);
        QObject::connect(&fonte, &TDataSource::activeChanged, &fonte,
            [this](bool ativo) { nomes.append(ativo ? u"aberta"_qs : u"fechada"_qs); });
        QObject::connect(
            &fonte, &TDataSource::dataSetChanged, &fonte, [this] { nomes.append(u"dados"_qs); });
        QObject::connect(
            &fonte, &TDataSource::dataSetScrolled, &fonte, [this] { nomes.append(u"rolagem"_qs); });
        QObject::connect(&fonte, &TDataSource::recordChanged, &fonte, [this](TField *campo) {
            nomes.append(u"campo "_qs + (campo ? campo->FieldName() : u"*"_qs));
        });
        QObject::connect(&fonte, &TDataSource::stateChanged, &fonte, [this](TDataSetState e) {
            const char16_t *estados[] = {u"inativa", u"consulta", u"edição", u"inserção"};
            nomes.append(QString::fromUtf16(estados[e]));
        });
        QObject::connect(
            &fonte, &TDataSource::layoutChanged, &fonte, [this] { nomes.append(u"leiaute"_qs); });
        QObject::connect(
            &fonte, &TDataSource::updateData, &fonte, [this] { nomes.append(u"gravar"_qs); });
    }
    TDataSource fonte;
    QStringList nomes;
};

QStringList Lista(std::initializer_list<const char *> nomes)
{
    QStringList lista;
    for (const char *nome : nomes)
        lista.append(QString::fromUtf8(nome));
    return lista;
}

// --- switches --------------------------------------------------------------------------------

TEST(MemTableCriacao, SeteSwitchesLigadosEAntesDeRolarDesligado)
{
    TMemoryTable t(QStringLiteral("mmTeste"));
    EXPECT_TRUE(t.AutoReposition);
    const bool ligados[] = {t.HabilitaAfterCancel, t.HabilitaAfterClose, t.HabilitaAfterDelete,
        t.HabilitaAfterEdit, t.HabilitaAfterInsert, t.HabilitaAfterOpen, t.HabilitaAfterPost,
        t.HabilitaAfterScroll, t.HabilitaBeforeCancel, t.HabilitaBeforeClose,
        t.HabilitaBeforeDelete, t.HabilitaBeforeEdit, t.HabilitaBeforeInsert, t.HabilitaBeforeOpen,
        t.HabilitaBeforePost, t.HabilitaOnCalcFields, t.HabilitaOnNewRecord};
    for (const bool ligado : ligados)
        EXPECT_TRUE(ligado);
    EXPECT_FALSE(t.HabilitaBeforeScroll);
}

struct Passo
{
    bool TMemoryTable::*chave;
    const char *evento;
    void (*acao)(TMemoryTable &);
};

class Switches
    : public Itens
    , public ::testing::WithParamInterface<Passo>
{
};

// Each switch decides whether its own step runs: on, the handler runs; off, it does not and the
// operation still completes.
TEST_P(Switches, DesligadoSilenciaOHandler)
{
    Preencher();
    t.HabilitaBeforeScroll = true;
    const Passo &passo = GetParam();
    for (const bool ligado : {true, false}) {
        SCOPED_TRACE(ligado ? "ligado" : "desligado");
        Eventos eventos(t);
        t.*passo.chave = ligado;
        passo.acao(t);
        EXPECT_EQ(eventos.nomes.contains(QLatin1String(passo.evento)), ligado)
            << eventos.nomes.join(u',').toStdString();
        t.*passo.chave = true;
        t.Open();
        t.Cancel();
    }
}

INSTANTIATE_TEST_SUITE_P(CadaPasso, Switches,
    ::testing::Values(Passo {&TMemoryTable::HabilitaBeforeOpen, "BeforeOpen",
                          [](TMemoryTable &m) {
                              m.Close();
                              m.Open();
                          }},
        Passo {&TMemoryTable::HabilitaAfterOpen, "AfterOpen",
            [](TMemoryTable &m) {
                m.Close();
                m.Open();
            }},
        Passo {
            &TMemoryTable::HabilitaBeforeClose, "BeforeClose", [](TMemoryTable &m) { m.Close(); }},
        Passo {&TMemoryTable::HabilitaAfterClose, "AfterClose", [](TMemoryTable &m) { m.Close(); }},
        Passo {&TMemoryTable::HabilitaBeforeInsert, "BeforeInsert",
            [](TMemoryTable &m) { m.Append(); }},
        Passo {
            &TMemoryTable::HabilitaAfterInsert, "AfterInsert", [](TMemoryTable &m) { m.Append(); }},
        Passo {
            &TMemoryTable::HabilitaOnNewRecord, "OnNewRecord", [](TMemoryTable &m) { m.Insert(); }},
        Passo {&TMemoryTable::HabilitaBeforeEdit, "BeforeEdit", [](TMemoryTable &m) { m.Edit(); }},
        Passo {&TMemoryTable::HabilitaAfterEdit, "AfterEdit", [](TMemoryTable &m) { m.Edit(); }},
        Passo {&TMemoryTable::HabilitaBeforePost, "BeforePost",
            [](TMemoryTable &m) {
                m.Edit();
                m.Post();
            }},
        Passo {&TMemoryTable::HabilitaAfterPost, "AfterPost",
            [](TMemoryTable &m) {
                m.Edit();
                m.Post();
            }},
        Passo {&TMemoryTable::HabilitaBeforeCancel, "BeforeCancel",
            [](TMemoryTable &m) {
                m.Edit();
                m.Cancel();
            }},
        Passo {&TMemoryTable::HabilitaAfterCancel, "AfterCancel",
            [](TMemoryTable &m) {
                m.Edit();
                m.Cancel();
            }},
        Passo {&TMemoryTable::HabilitaBeforeDelete, "BeforeDelete",
            [](TMemoryTable &m) { m.Delete(); }},
        Passo {
            &TMemoryTable::HabilitaAfterDelete, "AfterDelete", [](TMemoryTable &m) { m.Delete(); }},
        Passo {&TMemoryTable::HabilitaBeforeScroll, "BeforeScroll",
            [](TMemoryTable &m) { m.First(); }},
        Passo {&TMemoryTable::HabilitaAfterScroll, "AfterScroll",
            [](TMemoryTable &m) { m.First(); }}));

TEST_F(Itens, AntesDeRolarNuncaLigadoNaoChamaOHandler)
{
    Preencher();
    int chamadas = 0;
    t.BeforeScroll = [&chamadas](TMemoryTable &) { ++chamadas; };
    t.First();
    t.Next();
    t.Last();
    EXPECT_EQ(chamadas, 0);
    t.HabilitaBeforeScroll = true;
    t.First();
    EXPECT_EQ(chamadas, 1);
}

TEST_F(Itens, CalculoDesligadoNaoCalculaNemNoPost)
{
    t.HabilitaOnCalcFields = false;
    Adicionar(1, 0, 1, 2, 3);
    EXPECT_TRUE(F("calcVlTotalCotado").IsNull());
    t.HabilitaOnCalcFields = true;
    t.First();
    EXPECT_DOUBLE_EQ(F("calcVlTotalCotado").AsFloat(), 6);
}

TEST_F(Itens, AntesDePostDesligadoGravaSemOHandlerELigadoVoltaAChamar)
{
    int chamadas = 0;
    t.BeforePost = [&chamadas](TMemoryTable &) { ++chamadas; };
    t.HabilitaBeforePost = false;
    Adicionar(1, 0, 1);
    EXPECT_EQ(chamadas, 0);
    EXPECT_EQ(t.RecordCount(), 1);
    t.HabilitaBeforePost = true;
    Adicionar(2, 0, 1);
    EXPECT_EQ(chamadas, 1);
}

// The table's own work belongs to the steps too.
TEST_F(Itens, AposAbrirDesligadoIgnoraOFiltroAteSerDefinidoDeNovo)
{
    t.Close();
    t.SetFilter(QStringLiteral(" CODGRUPO = 2"));
    t.SetFiltered(true);
    t.HabilitaAfterOpen = false;
    t.Open();
    Preencher();
    EXPECT_EQ(t.RecordCount(), 6);
    t.SetFilter(t.Filter());
    EXPECT_EQ(Visitados(), (QList<int> {4, 5, 6}));

    t.Close();
    t.HabilitaAfterOpen = true;
    t.Open();
    Preencher();
    EXPECT_EQ(Visitados(), (QList<int> {4, 5, 6}));
}

TEST_F(Itens, AposPostDesligadoNaoReposiciona)
{
    Preencher();
    t.First();
    t.HabilitaAfterPost = false;
    Adicionar(7, 2, 1);
    EXPECT_EQ(ItemAtual(), 1);
    t.HabilitaAfterPost = true;
    Adicionar(8, 2, 1);
    EXPECT_EQ(ItemAtual(), 8);
}

TEST_F(Itens, AntesDeFecharDesligadoNaoCancelaAEdicaoPendente)
{
    Preencher();
    Eventos eventos(t);
    t.Edit();
    t.HabilitaBeforeClose = false;
    t.Close();
    EXPECT_FALSE(eventos.nomes.contains(u"BeforeCancel"_qs));
    EXPECT_FALSE(t.Active());

    t.HabilitaBeforeClose = true;
    t.Open();
    Preencher();
    t.Edit();
    eventos.nomes.clear();
    t.Close();
    EXPECT_EQ(eventos.nomes, Lista({"BeforeCancel", "AfterCancel", "BeforeClose", "AfterClose"}));
}

// --- editing ---------------------------------------------------------------------------------

TEST_F(Itens, AppendEPostDeixamALinhaGravadaCorrente)
{
    Preencher();
    t.First();
    Adicionar(7, 2, 1);
    EXPECT_EQ(ItemAtual(), 7);
    EXPECT_EQ(t.RecNo(), 7);
    EXPECT_EQ(t.State(), dsBrowse);
    EXPECT_FALSE(t.Eof());
}

TEST_F(Itens, AbortoAntesDeInserirCancelaOAppend)
{
    Preencher();
    t.First();
    t.Next();
    Eventos eventos(t);
    t.BeforeInsert = [](TMemoryTable &) { throw EAbort(); };
    EXPECT_THROW(t.Append(), EAbort);
    EXPECT_EQ(t.State(), dsBrowse);
    EXPECT_EQ(t.RecordCount(), 6);
    EXPECT_EQ(ItemAtual(), 2);
    EXPECT_FALSE(eventos.nomes.contains(u"AfterInsert"_qs));
    // an empty table refuses the same way
    t.EmptyTable();
    EXPECT_THROW(t.Append(), EAbort);
    EXPECT_TRUE(t.IsEmpty());
}

TEST_F(Itens, AbortoAntesDoPostMantemALinhaEmEdicaoComOsValores)
{
    Preencher();
    t.First();
    t.BeforePost = [](TMemoryTable &) { throw EAbort(); };
    t.Edit();
    F("VlCotado").SetAsFloat(120);
    EXPECT_THROW(t.Post(), EAbort);
    EXPECT_EQ(t.State(), dsEdit);
    EXPECT_DOUBLE_EQ(F("VlCotado").AsFloat(), 120);
    // the refused post also stops a move away from the row
    EXPECT_THROW(t.Next(), EAbort);
    EXPECT_EQ(ItemAtual(), 1);
    t.BeforePost = nullptr;
    t.Post();
    t.First();
    EXPECT_DOUBLE_EQ(F("VlCotado").AsFloat(), 120);
}

TEST_F(Itens, ErroDeUmHandlerPassaIntacto)
{
    Preencher();
    t.First();
    t.AfterScroll = [](TMemoryTable &) { throw EVrtException(QStringLiteral("recusado")); };
    try {
        t.Next();
        FAIL() << "the handler's error did not reach the caller";
    } catch (const EVrtException &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("recusado"));
    }
}

TEST_F(Itens, OrdemDosEventos)
{
    Preencher();
    t.HabilitaBeforeScroll = true;
    t.First();
    Eventos eventos(t);
    t.Append();
    t.Cancel();
    t.Edit();
    t.Post();
    t.Delete();
    EXPECT_EQ(eventos.nomes,
        Lista({"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll",
            "BeforeCancel", "AfterCancel", "BeforeEdit", "AfterEdit", "BeforePost", "AfterPost",
            "BeforeDelete", "BeforeScroll", "AfterDelete", "AfterScroll"}));
    EXPECT_EQ(ItemAtual(), 2);
}

TEST_F(Itens, CancelarInsercaoVoltaALinhaAnterior)
{
    Preencher();
    t.First();
    t.Next();
    t.Insert();
    EXPECT_EQ(t.RecNo(), 2);
    EXPECT_EQ(t.LinhasExibidas(), 7);
    t.Cancel();
    EXPECT_EQ(ItemAtual(), 2);
    EXPECT_EQ(t.RecordCount(), 6);
}

TEST_F(Itens, InsertGravaAntesDaLinhaCorrente)
{
    Preencher();
    t.Last();
    const TMemoryTable::TBookmark ultima = t.GetBookmark();
    t.First();
    t.Next();
    t.Insert();
    F("Item").SetAsInteger(9);
    t.Post();
    EXPECT_EQ(ItemAtual(), 9);
    EXPECT_EQ(Visitados(), (QList<int> {1, 9, 2, 3, 4, 5, 6}));
    t.GotoBookmark(ultima);
    EXPECT_EQ(ItemAtual(), 6);
    // without repositioning, the row that was current stays current where it moved to
    t.First();
    t.Next();
    t.HabilitaAfterPost = false;
    t.Insert();
    F("Item").SetAsInteger(10);
    t.Post();
    EXPECT_EQ(ItemAtual(), 9);
    EXPECT_EQ(t.RecNo(), 3);
}

TEST_F(Itens, MoverComEdicaoSemAlteracaoCancela)
{
    Preencher();
    t.First();
    Eventos eventos(t);
    t.Edit();
    t.Next();
    EXPECT_TRUE(eventos.nomes.contains(u"AfterCancel"_qs));
    EXPECT_FALSE(eventos.nomes.contains(u"BeforePost"_qs));
    t.Edit();
    F("ITEMMARCA").SetAsString(QStringLiteral("Acme"));
    t.Next();
    EXPECT_TRUE(eventos.nomes.contains(u"AfterPost"_qs));
}

TEST_F(Itens, CampoObrigatorioSemValorRecusaOPost)
{
    t.Append();
    F("CodGrupo").SetAsInteger(1);
    EXPECT_THROW(t.Post(), EDatabaseError);
    EXPECT_EQ(t.State(), dsInsert);
}

TEST_F(Itens, EditSobreTabelaVaziaInsere)
{
    t.Edit();
    EXPECT_EQ(t.State(), dsInsert);
}

TEST_F(Itens, EditandoSoEmEdicaoOuInsercao)
{
    EXPECT_FALSE(t.Editando());
    t.Append();
    EXPECT_TRUE(t.Editando());
    F("Item").SetAsInteger(1);
    t.Post();
    EXPECT_FALSE(t.Editando());
    t.Edit();
    EXPECT_TRUE(t.Editando());
    t.Cancel();
    EXPECT_FALSE(t.Editando());
    t.Close();
    EXPECT_FALSE(t.Editando());
}

TEST_F(Itens, ExcluirAUltimaLinhaVaiParaAAnterior)
{
    Preencher();
    t.Last();
    t.Delete();
    EXPECT_EQ(ItemAtual(), 5);
    EXPECT_EQ(t.RecordCount(), 5);
    t.EmptyTable();
    EXPECT_THROW(t.Delete(), EDatabaseError);
}

TEST_F(Itens, GravarExigeEdicaoECampoGravavel)
{
    Preencher();
    EXPECT_THROW(F("VlCotado").SetAsFloat(1), EDatabaseError);
    try {
        F("VlCotado").SetAsFloat(1);
    } catch (const EDatabaseError &e) {
        EXPECT_EQ(
            e.Message(), QStringLiteral("Tabela mmItens não está em modo de edição ou inserção."));
    }
    t.Edit();
    F("Item").SetReadOnly(true);
    EXPECT_THROW(F("Item").SetAsInteger(3), EDatabaseError);
    F("Item").SetReadOnly(false);
    F("Item").SetAsInteger(3);
    EXPECT_EQ(F("Item").AsInteger(), 3);
}

TEST_F(Itens, FecharCancelaEdicaoEDescartaLinhas)
{
    Preencher();
    t.Edit();
    t.Close();
    EXPECT_EQ(t.State(), dsInactive);
    t.Open();
    EXPECT_TRUE(t.IsEmpty());
}

TEST_F(Itens, EsvaziarComCamposSomenteLeituraMantemATabelaAberta)
{
    Preencher();
    for (int i = 0; i < t.FieldCount(); ++i)
        t.Fields(i).SetReadOnly(true);
    t.Edit();
    t.EmptyTable();
    EXPECT_TRUE(t.Active());
    EXPECT_TRUE(t.IsEmpty());
    EXPECT_EQ(t.State(), dsBrowse);
    EXPECT_EQ(t.RecordCount(), 0);
    for (int i = 0; i < t.FieldCount(); ++i)
        t.Fields(i).SetReadOnly(false);
    Adicionar(1, 0, 1);
    EXPECT_EQ(t.RecordCount(), 1);
}

// --- navigation ------------------------------------------------------------------------------

TEST_F(Itens, NavegacaoELimites)
{
    EXPECT_TRUE(t.Eof());
    EXPECT_EQ(t.RecNo(), 0);
    Preencher();
    t.First();
    t.MoveBy(-1);
    EXPECT_EQ(ItemAtual(), 1);
    t.MoveBy(3);
    EXPECT_EQ(ItemAtual(), 4);
    t.MoveBy(10);
    EXPECT_TRUE(t.Eof());
    EXPECT_EQ(ItemAtual(), 6);
    t.Last();
    EXPECT_TRUE(t.Eof());
    t.MoveBy(-2);
    EXPECT_EQ(t.RecNo(), 4);
    t.SetRecNo(2);
    EXPECT_EQ(ItemAtual(), 2);
    EXPECT_TRUE(t.Locate(QStringLiteral("itemmarca"), QString(), true, true));
    F("Item").DataSet().Edit();
    F("ITEMMARCA").SetAsString(QStringLiteral("Marca Boa"));
    t.Post();
    t.First();
    EXPECT_TRUE(t.Locate(QStringLiteral("ITEMMARCA"), QStringLiteral("marca"), true, true));
    EXPECT_EQ(ItemAtual(), 1);
    EXPECT_FALSE(t.Locate(QStringLiteral("ITEMMARCA"), QStringLiteral("marca"), false, false));
}

TEST_F(Itens, PrimeiroSempreDisparaAposRolarEProximoNoFimNao)
{
    Preencher();
    t.First();
    int chamadas = 0;
    t.AfterScroll = [&chamadas](TMemoryTable &) { ++chamadas; };
    t.First();
    EXPECT_EQ(chamadas, 1);
    t.Last();
    t.Next();
    EXPECT_EQ(chamadas, 2);
    EXPECT_TRUE(t.Eof());
}

// --- filter ----------------------------------------------------------------------------------

struct Filtro
{
    const char *expressao;
    QList<int> itens;
};

class Filtros
    : public Itens
    , public ::testing::WithParamInterface<Filtro>
{
};

TEST_P(Filtros, MostraExatamenteAsLinhasQuePassam)
{
    Preencher();
    t.SetFilter(QLatin1String(GetParam().expressao));
    t.SetFiltered(true);
    EXPECT_EQ(Visitados(), GetParam().itens);
    EXPECT_EQ(t.RecordCount(), GetParam().itens.size());
    t.SetFiltered(false);
    EXPECT_EQ(t.RecordCount(), 6);
}

INSTANTIATE_TEST_SUITE_P(FormasDoPrograma, Filtros,
    ::testing::Values(Filtro {"", {1, 2, 3, 4, 5, 6}}, Filtro {"CodGrupo = 1", {1, 2, 3}},
        Filtro {" CODGRUPO = 2", {4, 5, 6}}, Filtro {" CODGRUPO = 2 AND TRATAMENTO = 4", {4, 6}},
        Filtro {" TRATAMENTO = 4", {2, 4, 6}}, Filtro {" TRATAMENTO = 3", {3}},
        Filtro {"codgrupo=1 and tratamento=1", {1}}, Filtro {" CODGRUPO = 7", {}},
        Filtro {"   ", {1, 2, 3, 4, 5, 6}}));

TEST_F(Itens, ExpressaoInvalidaRecusadaSemMudarOFiltro)
{
    Preencher();
    t.SetFilter(QStringLiteral("CodGrupo = 1"));
    t.SetFiltered(true);
    const char *invalidas[] = {"CodGrupo = x", "Inexistente = 1", "CodGrupo = 1 OR Tratamento = 4",
        "CodGrupo", "CodGrupo = ", "DescMaterial = 1", "CodGrupo = 1 AND", "= 1",
        "CodGrupo = 1AND Tratamento = 1", "CodGrupo = 99999999999999999999"};
    for (const char *expressao : invalidas) {
        SCOPED_TRACE(expressao);
        try {
            t.SetFilter(QLatin1String(expressao));
            ADD_FAILURE() << "accepted";
        } catch (const EDatabaseError &e) {
            EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Expressão de filtro inválida")));
        }
        EXPECT_EQ(t.Filter(), QStringLiteral("CodGrupo = 1"));
        EXPECT_EQ(t.RecordCount(), 3);
    }
    t.SetFiltered(false);
    t.SetFilter(QStringLiteral("lixo"));
    EXPECT_THROW(t.SetFiltered(true), EDatabaseError);
    EXPECT_FALSE(t.Filtered());
    EXPECT_EQ(t.RecordCount(), 6);
}

TEST_F(Itens, LinhaGravadaForaDoFiltroSomeDaVisao)
{
    Preencher();
    t.SetFilter(QStringLiteral("CodGrupo = 1"));
    t.SetFiltered(true);
    Adicionar(7, 2, 1);
    EXPECT_EQ(Visitados(), (QList<int> {1, 2, 3}));
    Adicionar(8, 1, 1);
    EXPECT_EQ(ItemAtual(), 8);
    t.First();
    t.Edit();
    F("CodGrupo").SetAsInteger(2);
    t.Post();
    EXPECT_EQ(Visitados(), (QList<int> {2, 3, 8}));
}

// --- bookmarks -------------------------------------------------------------------------------

TEST_F(Itens, MarcadorSobreviveAMudancasDeFiltro)
{
    Preencher();
    t.SetFilter(QStringLiteral(" CODGRUPO = 2"));
    t.SetFiltered(true);
    t.Next();
    const TMemoryTable::TBookmark marca = t.GetBookmark();
    EXPECT_EQ(ItemAtual(), 5);
    t.SetFiltered(false);
    t.SetFiltered(true);
    t.First();
    t.HabilitaBeforeScroll = true;
    Eventos eventos(t);
    t.GotoBookmark(marca);
    EXPECT_EQ(ItemAtual(), 5);
    EXPECT_EQ(eventos.nomes, Lista({"BeforeScroll", "AfterScroll"}));

    t.SetFilter(QStringLiteral(" CODGRUPO = 1"));
    eventos.nomes.clear();
    try {
        t.GotoBookmark(marca);
        FAIL() << "returned to a hidden row";
    } catch (const EDatabaseError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Registro não encontrado"));
    }
    EXPECT_TRUE(eventos.nomes.isEmpty());
    EXPECT_EQ(ItemAtual(), 1);
}

TEST_F(Itens, MarcadorDeTabelaVaziaNaoLevaANadaEDeLinhaExcluidaFalha)
{
    const TMemoryTable::TBookmark vazio = t.GetBookmark();
    Preencher();
    t.First();
    Eventos eventos(t);
    t.GotoBookmark(vazio);
    EXPECT_TRUE(eventos.nomes.isEmpty());
    const TMemoryTable::TBookmark primeira = t.GetBookmark();
    t.Delete();
    EXPECT_THROW(t.GotoBookmark(primeira), EDatabaseError);
}

// --- control hold ----------------------------------------------------------------------------

TEST_F(Itens, ControlesDesligadosAposRolarDisparaESinaisSoNaLiberacao)
{
    Preencher();
    t.First();
    Sinais sinais(t);
    int rolagens = 0;
    t.AfterScroll = [&rolagens](TMemoryTable &) { ++rolagens; };
    t.DisableControls();
    t.DisableControls();
    for (t.First(); !t.Eof(); t.Next()) { }
    t.Edit();
    F("VlCotado").SetAsFloat(3);
    t.Post();
    t.EnableControls();
    EXPECT_TRUE(t.ControlsDisabled());
    EXPECT_TRUE(sinais.nomes.isEmpty());
    t.EnableControls();
    EXPECT_FALSE(t.ControlsDisabled());
    EXPECT_EQ(rolagens, 6);
    EXPECT_EQ(sinais.nomes, Lista({"dados"}));
    // a release without a hold changes nothing
    t.EnableControls();
    EXPECT_FALSE(t.ControlsDisabled());
    t.DisableControls();
    EXPECT_TRUE(t.ControlsDisabled());
}

TEST_F(Itens, LiberacaoContaOQueMudouDuranteAEspera)
{
    Sinais sinais(t);
    t.DisableControls();
    t.Close();
    t.EnableControls();
    EXPECT_EQ(sinais.nomes, Lista({"fechada", "dados"}));
}

// --- data-source signals ---------------------------------------------------------------------

struct Operacao
{
    const char *nome;
    void (*acao)(TMemoryTable &);
    QStringList sinais;
};

class SinaisDaFonte
    : public Itens
    , public ::testing::WithParamInterface<Operacao>
{
};

TEST_P(SinaisDaFonte, EmitidosNaOrdem)
{
    Preencher();
    t.First();
    Sinais sinais(t);
    GetParam().acao(t);
    EXPECT_EQ(sinais.nomes, GetParam().sinais) << sinais.nomes.join(u',').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Operacoes, SinaisDaFonte,
    ::testing::Values(Operacao {"proximo", [](TMemoryTable &m) { m.Next(); }, Lista({"rolagem"})},
        Operacao {"primeiro", [](TMemoryTable &m) { m.First(); }, {}},
        Operacao {"editar", [](TMemoryTable &m) { m.Edit(); }, Lista({"edição"})},
        Operacao {"gravarCampo",
            [](TMemoryTable &m) {
                m.Edit();
                m.FieldByName(QStringLiteral("VlCotado")).SetAsFloat(2);
            },
            Lista({"edição", "campo VlCotado", "campo calcVlTotalCotado"})},
        Operacao {"post",
            [](TMemoryTable &m) {
                m.Edit();
                m.Post();
            },
            Lista({"edição", "gravar", "consulta", "dados"})},
        Operacao {"cancelarEdicao",
            [](TMemoryTable &m) {
                m.Edit();
                m.Cancel();
            },
            Lista({"edição", "consulta", "campo *"})},
        Operacao {"append", [](TMemoryTable &m) { m.Append(); }, Lista({"inserção", "dados"})},
        Operacao {"appendPost",
            [](TMemoryTable &m) {
                m.Append();
                m.FieldByName(QStringLiteral("Item")).SetAsInteger(9);
                m.Post();
            },
            Lista({"inserção", "dados", "campo Item", "campo calcVlTotalCotado", "gravar",
                "consulta", "dados", "rolagem"})},
        Operacao {"excluir", [](TMemoryTable &m) { m.Delete(); }, Lista({"dados"})},
        Operacao {"filtrar",
            [](TMemoryTable &m) {
                m.SetFilter(QStringLiteral("CodGrupo = 2"));
                m.SetFiltered(true);
            },
            Lista({"dados"})},
        Operacao {"esvaziar", [](TMemoryTable &m) { m.EmptyTable(); }, Lista({"dados"})},
        Operacao {"fecharAbrir",
            [](TMemoryTable &m) {
                m.Close();
                m.Open();
            },
            Lista({"fechada", "aberta"})},
        Operacao {"leiaute",
            [](TMemoryTable &m) {
                m.FieldByName(QStringLiteral("Item")).SetVisible(false);
                m.FieldByName(QStringLiteral("VlCotado")).SetDisplayFormat(QStringLiteral("0.00"));
            },
            Lista({"leiaute", "leiaute"})}),
    [](const ::testing::TestParamInfo<Operacao> &caso) { return std::string(caso.param.nome); });

TEST_F(Itens, FonteLigadaETrocada)
{
    TDataSource fonte;
    QList<bool> avisos;
    QObject::connect(&fonte, &TDataSource::activeChanged, &fonte,
        [&avisos](bool ativa) { avisos.append(ativa); });
    fonte.SetDataSet(&t);
    EXPECT_EQ(fonte.State(), dsBrowse);
    {
        TMemoryTable outra(QStringLiteral("mmOutra"));
        fonte.SetDataSet(&outra);
        EXPECT_EQ(fonte.State(), dsInactive);
        outra.Open();
    }
    EXPECT_EQ(fonte.DataSet(), nullptr);
    EXPECT_EQ(avisos, (QList<bool> {true, false, true, false}));
}

// --- field values ----------------------------------------------------------------------------

TEST_F(Itens, TextoCortadoNoTamanhoDoCampo)
{
    t.Append();
    F("ITEMMARCA").SetAsString(QStringLiteral("Marca de vinte e cinco"));
    EXPECT_EQ(F("ITEMMARCA").AsString(), QStringLiteral("Marca de vinte e cin"));
    F("ITEMMARCA").SetAsString(QString());
    EXPECT_TRUE(F("ITEMMARCA").IsNull());
}

TEST_F(Itens, BuscaDeCampoSemDistinguirCaixaEPorPosicao)
{
    EXPECT_EQ(&t.FieldByName(QStringLiteral("codgrupo")), &t.Fields(6));
    EXPECT_EQ(t.FindField(QStringLiteral("nada")), nullptr);
    EXPECT_THROW(t.FieldByName(QStringLiteral("nada")), EDatabaseError);
    EXPECT_THROW(t.Fields(t.FieldCount()), EDatabaseError);
    EXPECT_EQ(F("VlCotado").Name(), QStringLiteral("mmItensVlCotado"));
    EXPECT_EQ(F("VlCotado").Index(), 5);
}

TEST_F(Itens, CalculadoGuardadoComALinhaEMantidoSemAtribuicao)
{
    Adicionar(1, 0, 1, 2, 3);
    Adicionar(2, 0, 1, 4, 5);
    t.First();
    EXPECT_DOUBLE_EQ(F("calcVlTotalCotado").AsFloat(), 6);
    t.OnCalcFields = [](TMemoryTable &) {};
    t.Next();
    EXPECT_DOUBLE_EQ(F("calcVlTotalCotado").AsFloat(), 20);
    t.Edit();
    F("VlCotado").SetAsFloat(10);
    t.Post();
    EXPECT_DOUBLE_EQ(F("calcVlTotalCotado").AsFloat(), 20);
}

TEST_F(Itens, CalculoAutomaticoACadaCampoOuSoAoBuscar)
{
    Adicionar(1, 0, 1, 2, 3);
    t.Edit();
    F("VlCotado").SetAsFloat(5);
    EXPECT_DOUBLE_EQ(F("calcVlTotalCotado").AsFloat(), 10);
    t.Post();
    t.AutoCalcFields = false;
    t.Edit();
    F("VlCotado").SetAsFloat(7);
    EXPECT_DOUBLE_EQ(F("calcVlTotalCotado").AsFloat(), 10);
    t.Post();
    EXPECT_DOUBLE_EQ(F("calcVlTotalCotado").AsFloat(), 14);
}

TEST_F(Itens, CalculadoSemHandlerGuardaOValorEscrito)
{
    t.OnCalcFields = nullptr;
    t.Append();
    F("Item").SetAsInteger(1);
    F("calcVlTotalCotado").SetAsFloat(57);
    t.Post();
    Adicionar(2, 0, 1);
    t.First();
    EXPECT_DOUBLE_EQ(F("calcVlTotalCotado").AsFloat(), 57);
}

TEST_F(Itens, CampoDeDadosRecusadoDentroDoCalculo)
{
    t.OnCalcFields = [](TMemoryTable &tabela) {
        tabela.FieldByName(QStringLiteral("VlCotado")).SetAsFloat(1);
    };
    t.Append();
    EXPECT_THROW(F("Item").SetAsInteger(1), EDatabaseError);
}

// With RecalcOnIndex every row is computed again before the filter tests it.
TEST_F(Itens, RecalculoAntesDoFiltroComRecalcOnIndex)
{
    Preencher();
    t.SetFilter(QStringLiteral("CodGrupo = 1"));
    int calculos = 0;
    t.OnCalcFields = [&calculos](TMemoryTable &) { ++calculos; };
    const auto refiltrar = [&] {
        calculos = 0;
        t.SetFiltered(false);
        t.SetFiltered(true);
        return calculos;
    };
    const int semRecalculo = refiltrar();
    t.RecalcOnIndex = true;
    EXPECT_EQ(refiltrar() - semRecalculo, 6);
}

TEST(MemTableValores, DataHoraEIntervalos)
{
    TMemoryTable t(QStringLiteral("mmDados"));
    TField &data = t.AdicionarCampo(QStringLiteral("Data"), ftDate);
    TField &hora = t.AdicionarCampo(QStringLiteral("Hora"), ftTime);
    TField &pequeno = t.AdicionarCampo(QStringLiteral("Pequeno"), ftSmallint);
    TField &inteiro = t.AdicionarCampo(QStringLiteral("Inteiro"), ftInteger);
    TField &logico = t.AdicionarCampo(QStringLiteral("Logico"), ftBoolean);
    t.Open();
    t.Append();
    data.SetAsDateTime(45366.75);
    hora.SetAsDateTime(45366.75);
    EXPECT_DOUBLE_EQ(data.AsDateTime(), 45366);
    EXPECT_DOUBLE_EQ(hora.AsDateTime(), 0.75);
    EXPECT_EQ(data.AsString(), QStringLiteral("15/03/2024"));
    EXPECT_EQ(hora.AsString(), QStringLiteral("18:00:00"));

    pequeno.SetAsInteger(32767);
    EXPECT_THROW(pequeno.SetAsInteger(32768), EDatabaseError);
    EXPECT_THROW(pequeno.SetAsInteger(-32769), EDatabaseError);
    EXPECT_EQ(pequeno.AsInteger(), 32767);
    inteiro.SetAsFloat(2.5);
    EXPECT_EQ(inteiro.AsInteger(), 3);
    EXPECT_THROW(inteiro.SetAsFloat(1e10), EDatabaseError);
    logico.SetAsBoolean(true);
    EXPECT_EQ(logico.AsString(), QStringLiteral("Sim"));
    EXPECT_EQ(logico.AsInteger(), 1);
    EXPECT_FALSE(logico.IsNull());
    logico.Clear();
    EXPECT_TRUE(logico.IsNull());
    EXPECT_FALSE(logico.AsBoolean());
}

// Typed texts go through the strict Brazilian conversions.
TEST(MemTableValores, TextoDigitado)
{
    TMemoryTable t(QStringLiteral("mmTeste"));
    TField &real = t.AdicionarCampo(QStringLiteral("Real"), ftFloat);
    TField &inteiro = t.AdicionarCampo(QStringLiteral("Inteiro"), ftInteger);
    TField &data = t.AdicionarCampo(QStringLiteral("Data"), ftDate);
    TField &hora = t.AdicionarCampo(QStringLiteral("Hora"), ftTime);
    TField &logico = t.AdicionarCampo(QStringLiteral("Logico"), ftBoolean);
    t.Open();
    t.Append();
    real.SetText(QStringLiteral("1234,5"));
    EXPECT_DOUBLE_EQ(real.AsFloat(), 1234.5);
    EXPECT_THROW(real.SetText(QStringLiteral("1.5")), EConvertError);
    EXPECT_THROW(real.SetText(QStringLiteral("1.234,5")), EConvertError);
    EXPECT_DOUBLE_EQ(real.AsFloat(), 1234.5);
    real.SetText(QStringLiteral("  "));
    EXPECT_TRUE(real.IsNull());
    inteiro.SetText(QStringLiteral("42"));
    EXPECT_EQ(inteiro.AsInteger(), 42);
    EXPECT_THROW(inteiro.SetText(QStringLiteral("4x")), EConvertError);
    data.SetText(QStringLiteral("15/03/2024 10:30"));
    EXPECT_DOUBLE_EQ(data.AsDateTime(), 45366);
    hora.SetText(QStringLiteral("14:30"));
    EXPECT_EQ(hora.AsString(), QStringLiteral("14:30:00"));
    EXPECT_THROW(data.SetText(QStringLiteral("31/02/2024")), EConvertError);
    logico.SetText(QStringLiteral("Não"));
    EXPECT_FALSE(logico.AsBoolean());
    EXPECT_FALSE(logico.IsNull());
    EXPECT_THROW(logico.SetText(QStringLiteral("talvez")), EConvertError);
}

TEST(MemTableValores, TextosDeExibicaoEEdicao)
{
    TMemoryTable t(QStringLiteral("mmItens"));
    TField &preco = t.AdicionarCampo(QStringLiteral("VlCotado"), ftFloat);
    TField &hora = t.AdicionarCampo(QStringLiteral("Hora"), ftTime);
    TField &data = t.AdicionarCampo(QStringLiteral("Data"), ftDate);
    TField &memo = t.AdicionarCampo(QStringLiteral("Objeto"), ftMemo);
    TField &figura = t.AdicionarCampo(QStringLiteral("Brasao"), ftGraphic);
    TField &tratamento = t.AdicionarCampo(QStringLiteral("Tratamento"), ftInteger);
    preco.SetDisplayFormat(QStringLiteral("#,##0.00000;0; "));
    preco.SetEditFormat(QStringLiteral("0.00000;0"));
    hora.SetDisplayFormat(QStringLiteral("hh:mm"));
    tratamento.OnGetText = [](TField &campo, QString &texto, bool) {
        texto = campo.AsInteger() == 4 ? QStringLiteral("Cota Reservada") : QString();
    };
    t.Open();
    t.Append();
    EXPECT_EQ(preco.DisplayText(), QString());
    preco.SetAsFloat(1234.5);
    EXPECT_EQ(preco.DisplayText(), QStringLiteral("1.234,50000"));
    EXPECT_EQ(preco.Text(), QStringLiteral("1234,50000"));
    preco.SetText(preco.Text());
    EXPECT_DOUBLE_EQ(preco.AsFloat(), 1234.5);
    preco.SetAsFloat(0);
    EXPECT_EQ(preco.DisplayText(), QStringLiteral(" "));
    EXPECT_EQ(preco.Text(), QStringLiteral("0"));
    hora.SetAsDateTime(0.5 + 5.0 / 1440);
    EXPECT_EQ(hora.DisplayText(), QStringLiteral("12:05"));
    EXPECT_EQ(hora.Text(), QStringLiteral("12:05:00"));
    data.SetAsDateTime(45366);
    EXPECT_EQ(data.DisplayText(), QStringLiteral("15/03/2024"));
    memo.SetAsString(QStringLiteral("linha um\r\nlinha dois"));
    EXPECT_EQ(memo.DisplayText(), QStringLiteral("(Texto)"));
    EXPECT_EQ(memo.Text(), QStringLiteral("linha um\r\nlinha dois"));
    EXPECT_EQ(figura.DisplayText(), QString());
    figura.SetAsBytes(QByteArray("\xFF\xD8\xFF", 3));
    EXPECT_EQ(figura.DisplayText(), QStringLiteral("(Imagem)"));
    EXPECT_THROW(figura.SetText(figura.Text()), EConvertError);
    EXPECT_EQ(figura.AsBytes(), QByteArray("\xFF\xD8\xFF", 3));
    tratamento.SetAsInteger(4);
    EXPECT_EQ(tratamento.DisplayText(), QStringLiteral("Cota Reservada"));
    EXPECT_EQ(tratamento.Text(), QStringLiteral("Cota Reservada"));
    EXPECT_EQ(tratamento.AsString(), QStringLiteral("4"));
}

TEST(MemTableValores, ConfiguracoesDeExibicao)
{
    TMemoryTable t(QStringLiteral("mmItens"));
    TField &item = t.AdicionarCampo(QStringLiteral("Item"), ftSmallint);
    TField &marca = t.AdicionarCampo(QStringLiteral("ITEMMARCA"), ftString, 20);
    EXPECT_EQ(item.DisplayLabel(), QStringLiteral("Item"));
    EXPECT_EQ(item.Alignment(), Qt::AlignRight);
    EXPECT_EQ(marca.Alignment(), Qt::AlignLeft);
    EXPECT_EQ(marca.DisplayWidth(), 20);
    marca.SetDisplayLabel(QStringLiteral("Marca"));
    marca.SetDisplayWidth(30);
    item.SetAlignment(Qt::AlignLeft);
    EXPECT_EQ(marca.DisplayLabel(), QStringLiteral("Marca"));
    EXPECT_EQ(marca.DisplayWidth(), 30);
    EXPECT_EQ(item.Alignment(), Qt::AlignLeft);
    t.Open();
    EXPECT_THROW(t.AdicionarCampo(QStringLiteral("Outro"), ftInteger), EDatabaseError);
}

TEST(MemTableValores, BlobsPorFluxo)
{
    TMemoryTable t(QStringLiteral("mmDados"));
    TField &figura = t.AdicionarCampo(QStringLiteral("ELIBRASAORELATORIO"), ftGraphic);
    TField &memo = t.AdicionarCampo(QStringLiteral("Objeto"), ftMemo);
    t.Open();
    t.Append();
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i));
    QBuffer origem(&bytes);
    origem.open(QIODevice::ReadOnly);
    figura.LoadFromStream(origem);
    QBuffer texto;
    texto.setData("Aquisi\xE7\xE3o \x93"
                  "A4\x94");
    texto.open(QIODevice::ReadOnly);
    memo.LoadFromStream(texto);
    t.Post();
    EXPECT_EQ(figura.AsBytes(), bytes);
    EXPECT_EQ(memo.AsString(), QStringLiteral("Aquisição “A4”"));
    EXPECT_EQ(memo.AsBytes(), texto.data());
    QBuffer destino;
    destino.open(QIODevice::WriteOnly);
    figura.SaveToStream(destino);
    EXPECT_EQ(destino.data(), bytes);
    QBuffer fechado;
    EXPECT_THROW(figura.SaveToStream(fechado), EFileError);
}

// --- rows for controls -----------------------------------------------------------------------

TEST_F(Itens, NaLinhaLeSemMoverNemDisparar)
{
    Preencher();
    t.First();
    Eventos eventos(t);
    Sinais sinais(t);
    int lido = 0;
    t.NaLinha(4, [&] { lido = ItemAtual(); });
    EXPECT_EQ(lido, 5);
    EXPECT_EQ(ItemAtual(), 1);
    t.NaLinha(99, [&] { lido = ItemAtual(); });
    EXPECT_EQ(lido, 0);
    EXPECT_TRUE(eventos.nomes.isEmpty());
    EXPECT_TRUE(sinais.nomes.isEmpty());

    t.Edit();
    F("Item").SetAsInteger(10);
    t.NaLinha(0, [&] { lido = ItemAtual(); });
    EXPECT_EQ(lido, 10);
    t.Cancel();
    t.Next();
    t.Insert();
    F("Item").SetAsInteger(20);
    QList<int> exibidos;
    for (int i = 0; i < t.LinhasExibidas(); ++i)
        t.NaLinha(i, [&] { exibidos.append(ItemAtual()); });
    EXPECT_EQ(exibidos, (QList<int> {1, 20, 2, 3, 4, 5, 6}));
}

} // namespace
