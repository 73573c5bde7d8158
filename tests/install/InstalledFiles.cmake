# SPDX-License-Identifier: GPL-3.0-or-later
# What an installation holds, relative to its prefix.
set(installed_files
    ${BIN_DIR}/lectorix
    ${HELPER_DIR}/lectorix-synth
    ${HELPER_DIR}/lectorix-neural
    ${HELPER_DIR}/lectorix-web
    ${LIBRARY_DIR}/libKey.so
    ${LIBRARY_DIR}/libsherpa-onnx-c-api.so
    ${LIBRARY_DIR}/libonnxruntime.so
    ${DATA_DIR}/Language/English.ini
    ${DATA_DIR}/Language/French.ini
    ${DATA_DIR}/Language/German.ini
    ${DATA_DIR}/Language/Russian.ini
    ${DATA_DIR}/Language/Spanish.ini
    ${SHARE_DIR}/applications/${APP_ID}.desktop
    ${SHARE_DIR}/metainfo/${APP_ID}.metainfo.xml
    ${SHARE_DIR}/icons/hicolor/scalable/apps/${APP_ID}.svg
    ${SHARE_DIR}/icons/hicolor/16x16/apps/${APP_ID}.png
    ${SHARE_DIR}/icons/hicolor/256x256/apps/${APP_ID}.png
    ${MAN_DIR}/man1/lectorix.1.gz
    ${DOC_DIR}/copyright
    ${DOC_DIR}/LICENSE
    ${DOC_DIR}/screenshots/main-window.png)
