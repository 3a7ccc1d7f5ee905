#pragma once

class QAction;

// The keys every desktop program gives its file commands: Ctrl+O opens, Ctrl+S saves, Ctrl+P
// prints and Ctrl+Q quits. They are set by key, not by the platform's standard bindings, whose
// Windows-like scheme (the one of some Linux desktops) has no key to quit.
void DefinirAtalhosArquivo(QAction &abrir, QAction &salvar, QAction &imprimir, QAction &sair);
