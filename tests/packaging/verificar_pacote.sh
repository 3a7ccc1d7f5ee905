#!/usr/bin/env bash
# Builds the Debian package from the programs of a build folder and checks it: the files it
# installs, its dependencies, its menu entry and file type, and kvt started from the package
# unpacked into a scratch root.
#   verificar_pacote.sh BUILD_FOLDER
set -euo pipefail
build=$1

for ferramenta in dpkg-deb desktop-file-validate; do
  if ! command -v "$ferramenta" >/dev/null; then
    echo "SKIP: $ferramenta não está instalado (scripts/setup o instala)"
    exit 77
  fi
done

rascunho=$(mktemp -d)
trap 'rm -rf "$rascunho"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$rascunho/pacote" >/dev/null
pacotes=("$rascunho"/pacote/*.deb)
[ ${#pacotes[@]} -eq 1 ] || { echo "cpack did not produce exactly one package" >&2; exit 1; }
deb=${pacotes[0]}

falhou=0
falha() { echo "$*" >&2; falhou=1; }

esperados="./usr/bin/kvt
./usr/bin/varenta-cotacao
./usr/share/applications/varenta-cotacao.desktop
./usr/share/icons/hicolor/scalable/apps/varenta-cotacao.svg
./usr/share/mime/packages/varenta-cotacao.xml"
arquivos=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sort)
[ "$arquivos" = "$esperados" ] || falha "the package holds other files:"$'\n'"$arquivos"

[ "$(dpkg-deb -f "$deb" Package)" = varenta-cotacao ] || falha "wrong package name"
dependencias=$(dpkg-deb -f "$deb" Depends)
for dependencia in qt6-translations-l10n qt6-qpa-plugins libqt6widgets6 libqt6core6 liborcus-0.17-0 \
  libxlsxwriter4; do
  grep -q "$dependencia" <<<"$dependencias" || falha "Depends lacks $dependencia: $dependencias"
done
# The quotation document is read with QtCore's stream reader: nothing needs QtXml.
! grep -q libqt6xml6 <<<"$dependencias" || falha "Depends names QtXml: $dependencias"

raiz="$rascunho/raiz"
dpkg -x "$deb" "$raiz"
entrada="$raiz/usr/share/applications/varenta-cotacao.desktop"
desktop-file-validate "$entrada" || falha "the menu entry does not validate"
grep -qx 'MimeType=application/x-kvt;' "$entrada" || falha "the menu entry opens no .kvt files"
grep -qx 'Exec=varenta-cotacao %f' "$entrada" || falha "the menu entry does not pass the file"
grep -q '<glob pattern="\*.kvt"/>' "$raiz/usr/share/mime/packages/varenta-cotacao.xml" \
  || falha "the file type does not claim *.kvt"

# The shared MIME database takes the type in.
if command -v update-mime-database >/dev/null; then
  update-mime-database "$raiz/usr/share/mime" 2>"$rascunho/mime.txt" || falha "$(cat "$rascunho/mime.txt")"
  [ -s "$raiz/usr/share/mime/application/x-kvt.xml" ] || falha "the MIME database has no application/x-kvt"
fi

ajuda=$("$raiz/usr/bin/kvt" --help) || falha "kvt --help from the package failed"
grep -q '^Uso: kvt' <<<"$ajuda" || falha "kvt --help printed: $ajuda"
[ -x "$raiz/usr/bin/varenta-cotacao" ] || falha "the program is not executable"
exit $falhou
