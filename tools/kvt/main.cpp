// kvt: the quotation-file road without a screen, for support staff, integrators and tests.
#include "ComandoProposta.h"
#include "ComandosContainer.h"
#include "ComandosModelo.h"
#include "ComandosPlanilha.h"
#include "ComandosTabelas.h"
#include "KvtSaida.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>

namespace {

struct Comando
{
    int minimoArgumentos;
    int maximoArgumentos;
    std::function<int(const QStringList &)> executar;
};

const char *const Uso = R"(Uso: kvt COMANDO ARGUMENTOS

  check FILE                       verifica e lê o arquivo de cotação
  unpack FILE OUT                  descompacta o documento XML do arquivo
  pack DOC FOLDER                  compacta o documento XML em FOLDER/NOME.kvt
  dump FILE                        imprime o modelo lido, em JSON
  tables FILE                      imprime as tabelas preenchidas, em JSON
  proposta FILE OUT.pdf [SUP.json] gera a proposta impressa de uma licitação, em PDF
  resave FILE FOLDER               lê e grava de novo o arquivo em FOLDER
  planilha FILE OUT                grava os itens na planilha OUT (.xlsx ou .csv)
  importar FILE SHEET FOLDER [--aceitar-acima-do-maximo]
                                   aplica as respostas da planilha SHEET (.xlsx, .ods
                                   ou .csv) e grava o arquivo respondido em FOLDER

Saída: 0 sucesso; 1 arquivo recusado ou operação falhou; 2 uso errado.
)";

const std::map<QString, Comando> &Comandos()
{
    static const std::map<QString, Comando> comandos {
        {QStringLiteral("check"), {1, 1, ComandoCheck}},
        {QStringLiteral("dump"), {1, 1, ComandoDump}},
        {QStringLiteral("pack"), {2, 2, ComandoPack}},
        {QStringLiteral("unpack"), {2, 2, ComandoUnpack}},
        {QStringLiteral("tables"), {1, 1, ComandoTables}},
        {QStringLiteral("resave"), {2, 2, ComandoResave}},
        {QStringLiteral("proposta"), {2, 3, ComandoProposta}},
        {QStringLiteral("planilha"), {2, 2, ComandoPlanilha}},
        {QStringLiteral("importar"), {3, 4, ComandoImportar}},
    };
    return comandos;
}

// Rendering the proposal needs fonts and a paint device, so that command runs under a
// QGuiApplication, headless unless a platform was asked for; every other command stays on
// QtCore.
std::unique_ptr<QCoreApplication> CriarAplicacao(int &argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "proposta") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app = CriarAplicacao(argc, argv);
    QStringList argumentos = QCoreApplication::arguments().mid(1);

    if (argumentos.size() == 1
        && (argumentos.first() == QLatin1String("--help")
            || argumentos.first() == QLatin1String("-h"))) {
        EscreverSaida(QString::fromUtf8(Uso).trimmed());
        return KvtSucesso;
    }

    const auto comando
        = argumentos.isEmpty() ? Comandos().end() : Comandos().find(argumentos.takeFirst());
    if (comando == Comandos().end() || argumentos.size() < comando->second.minimoArgumentos
        || argumentos.size() > comando->second.maximoArgumentos) {
        EscreverErro(QString::fromUtf8(Uso).trimmed());
        return KvtUsoErrado;
    }

    InstalarMensagensNoErroPadrao();
    const int status = comando->second.executar(argumentos);
    if (status == KvtUsoErrado)
        EscreverErro(QString::fromUtf8(Uso).trimmed());
    return status;
}
