<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>DisplayText</name>
    <message>
        <source>dd/MM/yyyy HH:mm</source>
        <translation>dd/MM/yyyy HH:mm</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <translation>%1 - %2</translation>
    </message>
</context>
<context>
    <name>HostApplication</name>
    <message>
        <source>Sem tela disponível: a janela é servida por VNC.
Conecte um visualizador VNC a 127.0.0.1:%1 (ex.: vncviewer 127.0.0.1::%1).
</source>
        <translation>No display available: the window is served over VNC.
Connect a VNC viewer to 127.0.0.1:%1 (e.g. vncviewer 127.0.0.1::%1).
</translation>
    </message>
    <message>
        <source>filial única %1</source>
        <translation>single branch %1</translation>
    </message>
    <message>
        <source>todas as filiais</source>
        <translation>all branches</translation>
    </message>
    <message>
        <source>Banco: %1  |  %2</source>
        <translation>Database: %1  |  %2</translation>
    </message>
    <message>
        <source>%1  |  Servidor: %2</source>
        <translation>%1  |  Server: %2</translation>
    </message>
    <message>
        <source>Sistema de Compras</source>
        <translation>Purchasing System</translation>
    </message>
    <message>
        <source>Ajuda</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Arquivo de ajuda %1, contexto %2.</source>
        <translation>Help file %1, context %2.</translation>
    </message>
    <message>
        <source>Sem tela, ninguém pode entrar no servidor de aplicação (a plataforma offscreen não mostra a janela de entrada).</source>
        <translation>Without a display nobody can log in to the application server (the offscreen platform does not show the login dialog).</translation>
    </message>
</context>
<context>
    <name>HostOptions</name>
    <message>
        <source>Banco SQLite (criado com dados de exemplo se não existir).</source>
        <translation>SQLite database (created with sample data if it does not exist).</translation>
    </message>
    <message>
        <source>arquivo</source>
        <translation>file</translation>
    </message>
    <message>
        <source>Modo de filial única, com a filial indicada.</source>
        <translation>Single-branch mode, bound to the given branch.</translation>
    </message>
    <message>
        <source>codigo</source>
        <translation>code</translation>
    </message>
    <message>
        <source>Idioma dos textos do módulo (ex.: pt_BR, en).</source>
        <translation>Language of the module&apos;s texts (e.g. pt_BR, en).</translation>
    </message>
    <message>
        <source>idioma</source>
        <translation>language</translation>
    </message>
    <message>
        <source>Arquivo do módulo (padrão: ao lado do programa ou, numa instalação, em ../lib/pkg-cmp04702/modules).</source>
        <translation>The module&apos;s file (default: beside the program or, in an installation, in ../lib/pkg-cmp04702/modules).</translation>
    </message>
    <message>
        <source>Carrega o módulo, confere as exportações e sai (sem banco e sem janela).</source>
        <translation>Loads the module, checks its exports and exits (no database, no window).</translation>
    </message>
    <message>
        <source>Servidor de aplicação compartilhado (ex.: https://compras.exemplo:7402); sem ela, o servidor roda dentro do programa.</source>
        <translation>Shared application server (e.g. https://compras.exemplo:7402); without it, the server runs inside the program.</translation>
    </message>
    <message>
        <source>url</source>
        <translation>url</translation>
    </message>
    <message>
        <source>Usuário sugerido na entrada no servidor de aplicação.</source>
        <translation>User name suggested when logging in to the application server.</translation>
    </message>
    <message>
        <source>nome</source>
        <translation>name</translation>
    </message>
    <message>
        <source>Tempo máximo de cada chamada ao servidor, em segundos (padrão 600).</source>
        <translation>Time limit of each call to the server, in seconds (default 600).</translation>
    </message>
    <message>
        <source>segundos</source>
        <translation>seconds</translation>
    </message>
    <message>
        <source>Com --server: servidor PostgreSQL das leituras do programa (padrão localhost).</source>
        <translation>With --server: the PostgreSQL server the program reads from (default localhost).</translation>
    </message>
    <message>
        <source>endereco</source>
        <translation>address</translation>
    </message>
    <message>
        <source>Porta do PostgreSQL (padrão 5432).</source>
        <translation>PostgreSQL port (default 5432).</translation>
    </message>
    <message>
        <source>porta</source>
        <translation>port</translation>
    </message>
    <message>
        <source>Banco PostgreSQL das leituras do programa.</source>
        <translation>The PostgreSQL database the program reads from.</translation>
    </message>
    <message>
        <source>banco</source>
        <translation>database</translation>
    </message>
    <message>
        <source>Usuário do PostgreSQL (um papel só de leitura basta).</source>
        <translation>PostgreSQL user (a read-only role is enough).</translation>
    </message>
    <message>
        <source>usuario</source>
        <translation>user</translation>
    </message>
    <message>
        <source>Arquivo com a senha do PostgreSQL (sem ele, a variável PGPASSWORD).</source>
        <translation>File holding the PostgreSQL password (without it, the PGPASSWORD variable).</translation>
    </message>
    <message>
        <source>Porta VNC em 127.0.0.1 quando não há tela (padrão 5900).</source>
        <translation>VNC port on 127.0.0.1 when there is no display (default 5900).</translation>
    </message>
    <message>
        <source>Opção desconhecida: %1</source>
        <translation>Unknown option: %1</translation>
    </message>
    <message>
        <source>Falta o valor da opção %1</source>
        <translation>Missing value for the option %1</translation>
    </message>
    <message>
        <source>Linha de comando inválida: %1</source>
        <translation>Invalid command line: %1</translation>
    </message>
    <message>
        <source>Sistema de compras: Cadastramento Automático de Fornecedor que Atende.</source>
        <translation>Purchasing system: Automatic Registration of Serving Suppliers.</translation>
    </message>
    <message>
        <source>Endereço de servidor inválido: %1</source>
        <translation>Invalid server address: %1</translation>
    </message>
    <message>
        <source>Tempo máximo inválido: %1</source>
        <translation>Invalid time limit: %1</translation>
    </message>
    <message>
        <source>Porta do PostgreSQL inválida: %1</source>
        <translation>Invalid PostgreSQL port: %1</translation>
    </message>
    <message>
        <source>Porta VNC inválida: %1</source>
        <translation>Invalid VNC port: %1</translation>
    </message>
    <message>
        <source>Uso: pkg-host</source>
        <translation>Usage: pkg-host</translation>
    </message>
    <message>
        <source>[opções]</source>
        <translation>[options]</translation>
    </message>
    <message>
        <source>Opções:</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>Mostra esta ajuda.</source>
        <translation>Displays this help.</translation>
    </message>
    <message>
        <source>Mostra esta ajuda e as opções gerais do Qt.</source>
        <translation>Displays this help and the general Qt options.</translation>
    </message>
</context>
<context>
    <name>HostSession</name>
    <message>
        <source>Não foi possível criar a pasta do banco de dados &quot;%1&quot;.</source>
        <translation>Could not create the database folder &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>ModuleCheck</name>
    <message>
        <source>O módulo &quot;%1&quot; não exporta: %2.</source>
        <translation>The module &quot;%1&quot; does not export: %2.</translation>
    </message>
    <message>
        <source>Módulo &quot;%1&quot; carregado, versão %2; todas as exportações encontradas.</source>
        <translation>Module &quot;%1&quot; loaded, version %2; every export found.</translation>
    </message>
</context>
<context>
    <name>PagedQueryModel</name>
    <message>
        <source>Não foi possível ler a lista do banco de dados: %1</source>
        <translation>Could not read the list from the database: %1</translation>
    </message>
</context>
<context>
    <name>PairListModel</name>
    <message>
        <source>Fornecedor</source>
        <translation>Supplier</translation>
    </message>
    <message>
        <source>Nome fantasia</source>
        <translation>Trade name</translation>
    </message>
    <message>
        <source>Filial</source>
        <translation>Branch</translation>
    </message>
    <message>
        <source>Nome da filial</source>
        <translation>Branch name</translation>
    </message>
    <message>
        <source>Região</source>
        <translation>Region</translation>
    </message>
    <message>
        <source>Periodicidade</source>
        <translation>Periodicity</translation>
    </message>
    <message>
        <source>Prazo (dias)</source>
        <translation>Lead time (days)</translation>
    </message>
    <message>
        <source>Alterado por</source>
        <translation>Changed by</translation>
    </message>
    <message>
        <source>Alterado em</source>
        <translation>Changed on</translation>
    </message>
</context>
<context>
    <name>ReadConnection</name>
    <message>
        <source>Não foi possível abrir o banco de dados %1: %2</source>
        <translation>Could not open the database %1: %2</translation>
    </message>
    <message>
        <source>PostgreSQL &quot;%1&quot; em %2:%3</source>
        <translation>PostgreSQL &quot;%1&quot; at %2:%3</translation>
    </message>
    <message>
        <source>Não foi possível ler o arquivo de senha &quot;%1&quot;: %2</source>
        <translation>Could not read the password file &quot;%1&quot;: %2</translation>
    </message>
</context>
<context>
    <name>RemoteSession</name>
    <message>
        <source>Endereço de servidor inválido: &quot;%1&quot; (use http://… ou https://…).</source>
        <translation>Invalid server address: &quot;%1&quot; (use http://… or https://…).</translation>
    </message>
    <message>
        <source>PostgreSQL %1 em %2</source>
        <translation>PostgreSQL %1 at %2</translation>
    </message>
    <message>
        <source>O banco de dados &quot;%1&quot; não existe. Com --server, informe o banco do servidor (--database ou --pg-database).</source>
        <translation>The database &quot;%1&quot; does not exist. With --server, give the server&apos;s database (--database or --pg-database).</translation>
    </message>
</context>
<context>
    <name>RunListModel</name>
    <message>
        <source>Todos os fornecedores</source>
        <translation>All suppliers</translation>
    </message>
    <message>
        <source>1 fornecedor</source>
        <translation>1 supplier</translation>
    </message>
    <message>
        <source>%1 fornecedores</source>
        <translation>%1 suppliers</translation>
    </message>
    <message>
        <source>a única filial</source>
        <translation>the only branch</translation>
    </message>
    <message>
        <source>todas as %1 filiais</source>
        <translation>all %1 branches</translation>
    </message>
    <message>
        <source>1 filial</source>
        <translation>1 branch</translation>
    </message>
    <message>
        <source>%1 filiais</source>
        <translation>%1 branches</translation>
    </message>
    <message>
        <source>regiões %1</source>
        <translation>regions %1</translation>
    </message>
    <message>
        <source>todas as regiões</source>
        <translation>all regions</translation>
    </message>
    <message>
        <source>regiões %1 e mais de %2</source>
        <translation>regions %1 and more than %2</translation>
    </message>
    <message>
        <source>região %1</source>
        <translation>region %1</translation>
    </message>
    <message>
        <source>regiões %1 e mais %2</source>
        <translation>regions %1 and %2 more</translation>
    </message>
    <message>
        <source>%1 × %2</source>
        <translation>%1 × %2</translation>
    </message>
    <message>
        <source>%1 × %2 (%3)</source>
        <translation>%1 × %2 (%3)</translation>
    </message>
    <message>
        <source>Desfeita em %1 por %2</source>
        <translation>Undone on %1 by %2</translation>
    </message>
    <message>
        <source>Sem histórico</source>
        <translation>No history</translation>
    </message>
    <message>
        <source>Não desfeita</source>
        <translation>Not undone</translation>
    </message>
    <message>
        <source>Nº</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Usuário</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Escopo</source>
        <translation>Scope</translation>
    </message>
    <message>
        <source>Pares</source>
        <translation>Pairs</translation>
    </message>
    <message>
        <source>Novos</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Substituídos</source>
        <translation>Replaced</translation>
    </message>
    <message>
        <source>Situação</source>
        <translation>Status</translation>
    </message>
</context>
<context>
    <name>TfrmConsFornAtende</name>
    <message>
        <source>Fornecedores que atendem</source>
        <translation>Suppliers serving branches</translation>
    </message>
    <message>
        <source>Filtros (código que começa pelo texto ou nome que o contém)</source>
        <translation>Filters (code starting with the text or name containing it)</translation>
    </message>
    <message>
        <source>&amp;Fornecedor:</source>
        <translation>&amp;Supplier:</translation>
    </message>
    <message>
        <source>código ou nome fantasia</source>
        <translation>code or trade name</translation>
    </message>
    <message>
        <source>F&amp;ilial:</source>
        <translation>Br&amp;anch:</translation>
    </message>
    <message>
        <source>código ou nome</source>
        <translation>code or name</translation>
    </message>
    <message>
        <source>&amp;Região:</source>
        <translation>&amp;Region:</translation>
    </message>
    <message>
        <source>Atualizar</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Lê a lista de novo (F5)</source>
        <translation>Reads the list again (F5)</translation>
    </message>
    <message>
        <source>F5</source>
        <translation>F5</translation>
    </message>
    <message>
        <source>Fechar</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Mostrando os primeiros %1 pares; role até o fim da lista para ver mais.</source>
        <translation>Showing the first %1 pairs; scroll to the end of the list to see more.</translation>
    </message>
    <message>
        <source>Nenhum par encontrado.</source>
        <translation>No pairs found.</translation>
    </message>
    <message>
        <source>1 par</source>
        <translation>1 pair</translation>
    </message>
    <message>
        <source>%1 pares</source>
        <translation>%1 pairs</translation>
    </message>
</context>
<context>
    <name>TfrmExecCadAuto</name>
    <message>
        <source>Execuções</source>
        <translation>Runs</translation>
    </message>
    <message>
        <source>Execuções do cadastramento automático, da mais recente para a mais antiga. Desfazer uma execução exclui os pares que ela incluiu e devolve aos pares que ela substituiu os valores anteriores.</source>
        <translation>Automatic registration runs, newest first. Undoing a run deletes the pairs it added and gives the pairs it replaced their previous values back.</translation>
    </message>
    <message>
        <source>&amp;Desfazer...</source>
        <translation>&amp;Undo...</translation>
    </message>
    <message>
        <source>Desfaz a execução escolhida (pede confirmação)</source>
        <translation>Undoes the chosen run (asks for confirmation)</translation>
    </message>
    <message>
        <source>Atualizar</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Lê a lista de novo (F5)</source>
        <translation>Reads the list again (F5)</translation>
    </message>
    <message>
        <source>F5</source>
        <translation>F5</translation>
    </message>
    <message>
        <source>Fechar</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Mostrando as %1 execuções mais recentes; role até o fim da lista para ver mais.</source>
        <translation>Showing the %1 most recent runs; scroll to the end of the list to see more.</translation>
    </message>
    <message>
        <source>Nenhuma execução registrada.</source>
        <translation>No runs recorded.</translation>
    </message>
    <message>
        <source>1 execução</source>
        <translation>1 run</translation>
    </message>
    <message>
        <source>%1 execuções</source>
        <translation>%1 runs</translation>
    </message>
    <message>
        <source>Execução %1 desfeita: 1 par retirado.</source>
        <translation>Run %1 undone: 1 pair taken back.</translation>
    </message>
    <message>
        <source>Execução %1 desfeita: %2 pares retirados.</source>
        <translation>Run %1 undone: %2 pairs taken back.</translation>
    </message>
    <message>
        <source>Desfazer execução</source>
        <translation>Undo run</translation>
    </message>
    <message>
        <source>Desfazer a execução %1, de %2?

Os pares que ela incluiu serão excluídos e os que ela substituiu voltarão aos valores anteriores.</source>
        <translation>Undo run %1, of %2?

The pairs it added will be deleted and those it replaced will get their previous values back.</translation>
    </message>
    <message>
        <source>&amp;Sim</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;Não</source>
        <translation>&amp;No</translation>
    </message>
</context>
<context>
    <name>TfrmLogin</name>
    <message>
        <source>Entrar no servidor de aplicação</source>
        <translation>Log In to the Application Server</translation>
    </message>
    <message>
        <source>&amp;Usuário:</source>
        <translation>&amp;User:</translation>
    </message>
    <message>
        <source>&amp;Senha:</source>
        <translation>&amp;Password:</translation>
    </message>
    <message>
        <source>Servidor: %1</source>
        <translation>Server: %1</translation>
    </message>
    <message>
        <source>Entrar</source>
        <translation>Log In</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TfrmPrincipal</name>
    <message>
        <source>Sistema de Compras</source>
        <translation>Purchasing System</translation>
    </message>
    <message>
        <source>&amp;Arquivo</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Compras</source>
        <translation>&amp;Purchasing</translation>
    </message>
    <message>
        <source>A&amp;juda</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Cadastramento &amp;Automático de Fornecedor que Atende...</source>
        <translation>&amp;Automatic Registration of Serving Suppliers...</translation>
    </message>
    <message>
        <source>Ctrl+Shift+A</source>
        <translation>Ctrl+Shift+A</translation>
    </message>
    <message>
        <source>&amp;Sair</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <source>&amp;Sobre...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <source>O módulo de cadastramento automático não está carregado.</source>
        <translation>The automatic registration module is not loaded.</translation>
    </message>
    <message>
        <source>desconhecida</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>Sobre</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Sistema de Compras
Módulo PKG_CMP04702, versão %1</source>
        <translation>Purchasing System
Module PKG_CMP04702, version %1</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Sistema de Compras&lt;/h2&gt;&lt;p&gt;Use o menu &lt;b&gt;Compras&lt;/b&gt; ou as teclas &lt;b&gt;Ctrl+Shift+A&lt;/b&gt; para abrir o &lt;i&gt;Cadastramento Automático de Fornecedor que Atende&lt;/i&gt;; &lt;b&gt;Ctrl+Shift+F&lt;/b&gt; para ver os &lt;i&gt;Fornecedores que atendem&lt;/i&gt; e &lt;b&gt;Ctrl+Shift+E&lt;/b&gt; para as &lt;i&gt;Execuções&lt;/i&gt;, que podem ser desfeitas.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Purchasing System&lt;/h2&gt;&lt;p&gt;Use the &lt;b&gt;Purchasing&lt;/b&gt; menu or the keys &lt;b&gt;Ctrl+Shift+A&lt;/b&gt; to open the &lt;i&gt;Automatic Registration of Serving Suppliers&lt;/i&gt;; &lt;b&gt;Ctrl+Shift+F&lt;/b&gt; to see the &lt;i&gt;Suppliers serving branches&lt;/i&gt; and &lt;b&gt;Ctrl+Shift+E&lt;/b&gt; for the &lt;i&gt;Runs&lt;/i&gt;, which can be undone.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&amp;Fornecedores que atendem...</source>
        <translation>&amp;Suppliers serving branches...</translation>
    </message>
    <message>
        <source>Ctrl+Shift+F</source>
        <translation>Ctrl+Shift+F</translation>
    </message>
    <message>
        <source>&amp;Execuções do cadastramento automático...</source>
        <translation>Automatic registration &amp;runs...</translation>
    </message>
    <message>
        <source>Ctrl+Shift+E</source>
        <translation>Ctrl+Shift+E</translation>
    </message>
</context>
</TS>
