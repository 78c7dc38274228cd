<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
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
        <source>&lt;h2&gt;Sistema de Compras&lt;/h2&gt;&lt;p&gt;Use o menu &lt;b&gt;Compras&lt;/b&gt; ou as teclas &lt;b&gt;Ctrl+Shift+A&lt;/b&gt; para abrir o &lt;i&gt;Cadastramento Automático de Fornecedor que Atende&lt;/i&gt;.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Purchasing System&lt;/h2&gt;&lt;p&gt;Use the &lt;b&gt;Purchasing&lt;/b&gt; menu or the &lt;b&gt;Ctrl+Shift+A&lt;/b&gt; keys to open the &lt;i&gt;Automatic Registration of Serving Suppliers&lt;/i&gt;.&lt;/p&gt;</translation>
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
</context>
</TS>
