<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>contracts</name>
    <message>
        <source>Pacote de dados inválido: tipo de campo desconhecido %1.</source>
        <translation>Invalid data packet: unknown field type %1.</translation>
    </message>
    <message>
        <source>Pacote de dados ilegível: o tamanho do campo %1 deve ser um número inteiro de 0 a %2.</source>
        <translation>Unreadable data packet: the size of the field %1 must be a whole number from 0 to %2.</translation>
    </message>
    <message>
        <source>Pacote de dados inválido: valor de tipo errado no campo %1.</source>
        <translation>Invalid data packet: value of the wrong type in the field %1.</translation>
    </message>
    <message>
        <source>Pacote de dados ilegível: %1.</source>
        <translation>Unreadable data packet: %1.</translation>
    </message>
    <message>
        <source>Pacote de dados ilegível: não é um mapa.</source>
        <translation>Unreadable data packet: it is not a map.</translation>
    </message>
    <message>
        <source>Pacote de dados inválido: faltam &quot;fields&quot; ou &quot;rows&quot;.</source>
        <translation>Invalid data packet: &quot;fields&quot; or &quot;rows&quot; is missing.</translation>
    </message>
    <message>
        <source>Pacote de dados inválido: campo sem nome.</source>
        <translation>Invalid data packet: a field without a name.</translation>
    </message>
    <message>
        <source>Pacote de dados inválido: linha com número errado de colunas.</source>
        <translation>Invalid data packet: a row with the wrong number of columns.</translation>
    </message>
    <message>
        <source>Pacote de dados ilegível: o total de linhas deve ser um número inteiro não menor que as linhas do pacote.</source>
        <translation>Unreadable data packet: the row total must be a whole number no smaller than the rows in the packet.</translation>
    </message>
    <message>
        <source>o pedido de entrada</source>
        <translation>the login request</translation>
    </message>
    <message>
        <source>a resposta de entrada</source>
        <translation>the login answer</translation>
    </message>
    <message>
        <source>o pedido de chamada</source>
        <translation>the call request</translation>
    </message>
    <message>
        <source>a resposta da chamada</source>
        <translation>the call answer</translation>
    </message>
    <message>
        <source>Corpo ilegível: %1 deve ser um mapa CBOR.</source>
        <translation>Unreadable body: %1 must be a CBOR map.</translation>
    </message>
    <message>
        <source>Corpo ilegível: %1 sem o texto &quot;%2&quot;.</source>
        <translation>Unreadable body: %1 without the text &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>Corpo ilegível: %1 sem a lista &quot;args&quot;.</source>
        <translation>Unreadable body: %1 without the list &quot;args&quot;.</translation>
    </message>
    <message>
        <source>Corpo ilegível: a resposta de entrada sem &quot;expires&quot;.</source>
        <translation>Unreadable body: the login answer without &quot;expires&quot;.</translation>
    </message>
    <message>
        <source>Corpo ilegível: a resposta da chamada sem &quot;result&quot;.</source>
        <translation>Unreadable body: the call answer without &quot;result&quot;.</translation>
    </message>
    <message>
        <source>Resposta inválida do servidor de aplicação: %1.</source>
        <translation>Invalid answer from the application server: %1.</translation>
    </message>
    <message>
        <source>o resultado não é um envelope</source>
        <translation>the result is not an envelope</translation>
    </message>
    <message>
        <source>falta a indicação &quot;ok&quot;</source>
        <translation>the &quot;ok&quot; flag is missing</translation>
    </message>
    <message>
        <source>falta o valor</source>
        <translation>the value is missing</translation>
    </message>
    <message>
        <source>falha sem mensagem</source>
        <translation>a failure without a message</translation>
    </message>
    <message>
        <source>aninhamento profundo demais</source>
        <translation>nesting too deep</translation>
    </message>
    <message>
        <source>número inteiro fora do intervalo</source>
        <translation>integer out of range</translation>
    </message>
    <message>
        <source>há bytes depois do fim</source>
        <translation>there are bytes after the end</translation>
    </message>
    <message>
        <source>conteúdo ilegível</source>
        <translation>unreadable content</translation>
    </message>
    <message>
        <source>regiões</source>
        <translation>regions</translation>
    </message>
    <message>
        <source>filiais</source>
        <translation>branches</translation>
    </message>
    <message>
        <source>fornecedores</source>
        <translation>suppliers</translation>
    </message>
    <message>
        <source>Seleção de %1 inválida: %2</source>
        <translation>Invalid selection of %1: %2</translation>
    </message>
    <message>
        <source>use vazio, &quot;T&quot; ou códigos entre &quot;_&quot; (ex.: &quot;_SE_S_&quot;).</source>
        <translation>use empty, &quot;T&quot; or codes between &quot;_&quot; (e.g. &quot;_SE_S_&quot;).</translation>
    </message>
    <message>
        <source>use vazio ou códigos entre &quot;_&quot; (ex.: &quot;_0001_0003_&quot;).</source>
        <translation>use empty or codes between &quot;_&quot; (e.g. &quot;_0001_0003_&quot;).</translation>
    </message>
    <message>
        <source>há um código vazio entre &quot;_&quot;.</source>
        <translation>there is an empty code between &quot;_&quot;.</translation>
    </message>
    <message>
        <source>o código %1 contém caracteres não permitidos (somente letras e dígitos).</source>
        <translation>the code %1 contains characters that are not allowed (letters and digits only).</translation>
    </message>
    <message>
        <source>o código %1 excede %2 caracteres.</source>
        <translation>the code %1 exceeds %2 characters.</translation>
    </message>
    <message>
        <source>a lista passa do máximo de %1 códigos; para todos, use a opção &quot;Todos&quot;/&quot;Todas&quot;.</source>
        <translation>the list exceeds the maximum of %1 codes; for all, use the &quot;All&quot; option.</translation>
    </message>
</context>
</TS>
