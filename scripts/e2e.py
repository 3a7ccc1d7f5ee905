"""The end-to-end checks of scripts/e2e: runs inside a D-Bus session on the Xvfb display that
scripts/e2e started, drives the program with xdotool and reads it through AT-SPI."""
import json
import os
import subprocess
import sys
import time

import pyatspi

trabalho, saida_pcl = sys.argv[1], sys.argv[2]
recebido = os.path.join(trabalho, "Licitacao-Pregao-12-2026.kvt")
resultados = []


def conferir(nome, ok, detalhe=""):
    resultados.append(ok)
    print(("ok   " if ok else "FALHOU ") + nome + ("" if ok else f" ({detalhe})"), flush=True)


def teclas(*sequencia):
    subprocess.run(["xdotool", "key", "--delay", "60", *sequencia], check=True)


def digitar(texto):
    subprocess.run(["xdotool", "type", "--delay", "80", texto], check=True)


def esperar(condicao, segundos=60):
    fim = time.time() + segundos
    while time.time() < fim:
        valor = condicao()
        if valor:
            return valor
        time.sleep(0.2)
    return None


def aplicacao():
    area = pyatspi.Registry.getDesktop(0)
    for i in range(area.childCount):
        app = area.getChildAtIndex(i)
        if app is not None and app.name == "Varenta-Cotação":
            return app
    return None


def achar(no, papel=None, nome=None, prefixo=None):
    """The first node below `no` of that role whose name is (or starts with) the text."""
    def serve(n):
        try:
            return ((papel is None or n.getRoleName() == papel)
                    and (nome is None or n.name == nome)
                    and (prefixo is None or n.name.startswith(prefixo)))
        except Exception:
            return False
    return pyatspi.findDescendant(no, serve)


def clicar(no):
    caixa = no.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(caixa.x + caixa.width // 2),
                    str(caixa.y + caixa.height // 2), "click", "1"], check=True)


def celula(app, linha, coluna):
    tabela = achar(achar(app, nome="Itens/Cotação"), papel="table")
    return tabela.queryTable().getAccessibleAt(linha, coluna)


def coluna(app, titulo):
    tabela = achar(achar(app, nome="Itens/Cotação"), papel="table").queryTable()
    for c in range(tabela.nColumns):
        if tabela.getColumnDescription(c) == titulo or tabela.getColumnHeader(c).name == titulo:
            return c
    raise LookupError(titulo)


def rotulo(app, prefixo):
    no = achar(app, papel="label", prefixo=prefixo)
    return no.name if no else None


subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
time.sleep(1)
programa = subprocess.Popen(["build/test/src/app/varenta-cotacao", recebido])
app = esperar(aplicacao)
janela = esperar(lambda: app and achar(app, papel="frame", prefixo="Varenta-Cotação 2.0 - Licitação"))
conferir("a janela abre o pregão", janela is not None)
if janela is None:
    print("0 passed, 1 failed")
    sys.exit(1)
esperar(lambda: rotulo(app, "Itens cotados"))

caixa = janela.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
conferir("a janela inteira cabe na tela de 1280 × 720",
         caixa.x >= 0 and caixa.y >= 0 and caixa.x + caixa.width <= 1280
         and caixa.y + caixa.height <= 720, f"{caixa.x},{caixa.y} {caixa.width}×{caixa.height}")
conferir("a barra de estado conta os itens", rotulo(app, "Itens cotados") == "Itens cotados: 0 de 7",
         rotulo(app, "Itens cotados"))

preco = coluna(app, "Valor Un. Cotado (R$)")
clicar(celula(app, 0, preco))
digitar("12.5")
teclas("Down")
total = esperar(lambda: rotulo(app, "Total da proposta") == "Total da proposta: R$ 7.500,00")
conferir("12.5 digitado vale 12,5", bool(total), rotulo(app, "Total da proposta"))
conferir("o preço conta na barra de estado", rotulo(app, "Itens cotados") == "Itens cotados: 1 de 7")

if os.path.exists(saida_pcl):
    os.remove(saida_pcl)
teclas("ctrl+p")
dialogo = esperar(lambda: achar(app, papel="push button", nome="Imprimir"))
conferir("o diálogo de impressão abre", dialogo is not None)
# Without a window manager nobody gives the dialog the keyboard: the test does.
subprocess.run(["xdotool", "search", "--sync", "--name", "^Imprimir$", "windowfocus", "--sync"],
               check=False, timeout=30)
teclas("Return")
trabalho_pcl = esperar(lambda: os.path.exists(saida_pcl) and b") HP-PCL XL" in open(saida_pcl, "rb").read(), 60)
conferir("a proposta chega à impressora a laser (PCL)", bool(trabalho_pcl))
conferir("sem mensagem de erro", achar(app, papel="dialog", nome="Atenção") is None)

# The print dialog has closed: without a window manager the keyboard goes back by hand.
subprocess.run(["xdotool", "search", "--name", "^Varenta-Cotação 2.0", "windowfocus", "--sync"],
               check=False, timeout=30)
teclas("ctrl+f")
campo = esperar(lambda: (lambda no: no if no and no.getState().contains(pyatspi.STATE_SHOWING)
                         else None)(achar(app, papel="text", nome="Localizar:")))
conferir("Ctrl+F abre a barra Localizar:", campo is not None)
digitar("detergente")
teclas("Return")


def texto_dos_detalhes():
    for no in pyatspi.findAllDescendants(app, lambda n: n.name == "Detalhes do item"):
        try:
            texto = no.queryText()
            return texto.getText(0, texto.characterCount)
        except NotImplementedError:
            continue
    return ""


detalhes = esperar(lambda: "Detergente" in texto_dos_detalhes())
conferir("a busca leva ao item e os detalhes o mostram inteiro", bool(detalhes), texto_dos_detalhes())
teclas("Escape")

clicar(celula(app, 1, preco))
digitar("3")
teclas("ctrl+q")
conferir("o programa fecha", esperar(lambda: programa.poll() is not None, 20) is not None)
salvo = os.path.join(trabalho, "COT-12-2026.kvt")
precos = {}
if os.path.exists(salvo):
    dados = json.loads(subprocess.run(["build/test/tools/kvt/kvt", "dump", salvo],
                                      capture_output=True, text=True).stdout)

    def itens(no):
        if isinstance(no, dict):
            if "ValorCotado" in no:
                precos[no["Codigo"]] = no["ValorCotado"]
            for valor in no.values():
                itens(valor)
        elif isinstance(no, list):
            for valor in no:
                itens(valor)
    itens(dados)
conferir("o preço digitado antes de fechar está no arquivo salvo",
         precos.get(1) == 12.5 and precos.get(2) == 3, precos)

falhas = resultados.count(False)
print(f"{len(resultados) - falhas} passed, {falhas} failed")
sys.exit(1 if falhas else 0)
