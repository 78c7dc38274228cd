<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>TfrmCadAutRF</name>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="14"/>
        <source>Cadastramento Automático</source>
        <translation>Cadastramento Automático</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="17"/>
        <source>Fornecedor que Atende</source>
        <translation>Fornecedor que Atende</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="23"/>
        <source>Fil_D_Inf|Filial deve ser informada.</source>
        <translation>Fil_D_Inf|Filial deve ser informada.</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="23"/>
        <source>Forn_D_Inf|Fornecedor deve ser informado.</source>
        <translation>Forn_D_Inf|Fornecedor deve ser informado.</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="23"/>
        <source>Sucess|O cadastramento automático foi realizado com sucesso.</source>
        <translation>Sucess|O cadastramento automático foi realizado com sucesso.</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="23"/>
        <source>FILIAL|Filial</source>
        <translation>FILIAL|Filial</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="23"/>
        <source>Fil_N_Cad|Não há filial cadastrada.</source>
        <translation>Fil_N_Cad|Não há filial cadastrada.</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="23"/>
        <source>FORNECEDOR|Fornecedor</source>
        <translation>FORNECEDOR|Fornecedor</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="23"/>
        <source>FORN_NAO_CAD|Não há fornecedor cadastrado.</source>
        <translation>FORN_NAO_CAD|Não há fornecedor cadastrado.</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="23"/>
        <source>CadAuto|Efetuando cadastramento automático no servidor...</source>
        <translation>CadAuto|Efetuando cadastramento automático no servidor...</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="23"/>
        <source>PERIODICIDADE|Periodicidade</source>
        <translation>PERIODICIDADE|Periodicidade</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="23"/>
        <source>PERIOD_NAO_CAD|Não há periodicidade cadastrada.</source>
        <translation>PERIOD_NAO_CAD|Não há periodicidade cadastrada.</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="23"/>
        <source>Period_DINF|Periodicidade deve ser informada.</source>
        <translation>Period_DINF|Periodicidade deve ser informada.</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="23"/>
        <source>PERIENTR_NCAD|Periodicidade não cadastrada.</source>
        <translation>PERIENTR_NCAD|Periodicidade não cadastrada.</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="23"/>
        <source>msg_Alert|Atenção! Existem filiais atendidas com periodicidade diferenciada. Confirma operação?</source>
        <translation>msg_Alert|Atenção! Existem filiais atendidas com periodicidade diferenciada. Confirma operação?</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="23"/>
        <source>REG_NAO_CAD|Não há região cadastrada.</source>
        <translation>REG_NAO_CAD|Não há região cadastrada.</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="23"/>
        <source>REGIAO|Região</source>
        <translation>REGIAO|Região</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="23"/>
        <source>Reg_D_Inf|Região deve ser informada.</source>
        <translation>Reg_D_Inf|Região deve ser informada.</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="64"/>
        <source>Região</source>
        <translation>Região</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="76"/>
        <location filename="../registration/tfrmcadautrf.ui" line="124"/>
        <source>Todas</source>
        <translation>Todas</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="83"/>
        <location filename="../registration/tfrmcadautrf.ui" line="131"/>
        <location filename="../registration/tfrmcadautrf.ui" line="179"/>
        <source>Lista</source>
        <translation>Lista</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="96"/>
        <location filename="../registration/tfrmcadautrf.ui" line="144"/>
        <location filename="../registration/tfrmcadautrf.ui" line="192"/>
        <location filename="../registration/tfrmcadautrf.ui" line="249"/>
        <source>Pesquisar</source>
        <translation>Pesquisar</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="112"/>
        <source>Filial</source>
        <translation>Filial</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="160"/>
        <source>Fornecedor</source>
        <translation>Fornecedor</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="172"/>
        <source>Todos</source>
        <translation>Todos</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="208"/>
        <location filename="../registration/tfrmcadautrf.ui" line="255"/>
        <source>Periodicidade</source>
        <translation>Periodicidade</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="220"/>
        <source>Código</source>
        <translation>Código</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="258"/>
        <source>Não há periodicidade cadastrada.</source>
        <translation>Não há periodicidade cadastrada.</translation>
    </message>
    <message>
        <location filename="../registration/tfrmcadautrf.ui" line="284"/>
        <source>Prazo para Expedição</source>
        <translation>Prazo para Expedição</translation>
    </message>
</context>
<context>
    <name>TfrmErroForneAteFili</name>
    <message>
        <location filename="../error_list/tfrmerroforneatefili.ui" line="14"/>
        <source>Erro</source>
        <translation>Erro</translation>
    </message>
    <message>
        <location filename="../error_list/tfrmerroforneatefili.ui" line="20"/>
        <source>Oper_bloq|Operação bloqueada. Existem filiais cuja região não é atendida pelos fornecedores escolhidos</source>
        <translation>Oper_bloq|Operação bloqueada. Existem filiais cuja região não é atendida pelos fornecedores escolhidos</translation>
    </message>
    <message>
        <location filename="../error_list/tfrmerroforneatefili.ui" line="79"/>
        <source>Folha de Dados (Grade)</source>
        <translation>Folha de Dados (Grade)</translation>
    </message>
    <message>
        <location filename="../error_list/tfrmerroforneatefili.ui" line="179"/>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
</TS>
