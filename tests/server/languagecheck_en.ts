<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>languagecheck</name>
    <message>
        <source>Mensagem traduzida</source>
        <translation>Translated message</translation>
    </message>
    <message>
        <source>Mensagem ainda sem tradução</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
