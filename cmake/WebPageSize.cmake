# Writes the size of the WebAssembly module into the page: cmake -DHTML=... -DWASM=... -P
file(SIZE ${WASM} bytes)
file(READ ${HTML} page)
string(REPLACE "__MORAVIN_WASM_BYTES__" "${bytes}" page "${page}")
file(WRITE ${HTML} "${page}")
