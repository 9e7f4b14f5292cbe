#include "export/libro_plantilla.h"

#include <string_view>

#include "export/linea.h"
#include "export/texto_xml.h"

namespace prjsumsal {

namespace {

constexpr std::string_view kAntesDeEmpresa[] = {
    "<?xml version='1.0'?>",
    "<?mso-application progid='Excel.Sheet'?>",
    "<Workbook xmlns='urn:schemas-microsoft-com:office:spreadsheet'",
    " xmlns:o='urn:schemas-microsoft-com:office:office'",
    " xmlns:x='urn:schemas-microsoft-com:office:excel'",
    " xmlns:ss='urn:schemas-microsoft-com:office:spreadsheet'",
    " xmlns:html='http://www.w3.org/TR/REC-html40'>",
    " <DocumentProperties xmlns='urn:schemas-microsoft-com:office:office'>",
    "  <Author>ventor</Author>",
    "  <LastAuthor>ventor</LastAuthor>",
    "  <LastPrinted>2013-04-25T07:46:06Z</LastPrinted>",
    "  <Created>2013-04-25T07:23:59Z</Created>",
    "  <Company> Kalmex</Company>",
    "  <Version>11.5606</Version>",
    " </DocumentProperties>",
    " <OfficeDocumentSettings xmlns='urn:schemas-microsoft-com:office:office'>",
    "  <DownloadComponents/>",
    "  <LocationOfComponents HRef='file://servidor/nubo/componentes/'/>",
    " </OfficeDocumentSettings>",
    " <ExcelWorkbook xmlns='urn:schemas-microsoft-com:office:excel'>",
    "  <WindowHeight>6660</WindowHeight>",
    "  <WindowWidth>11595</WindowWidth>",
    "  <WindowTopX>360</WindowTopX>",
    "  <WindowTopY>105</WindowTopY>",
    "  <ProtectStructure>False</ProtectStructure>",
    "  <ProtectWindows>False</ProtectWindows>",
    " </ExcelWorkbook>",
    " <Styles>",
    "  <Style ss:ID='Default' ss:Name='Normal'>",
    "   <Alignment ss:Vertical='Bottom'/>",
    "   <Borders/>",
    "   <Font/>",
    "   <Interior/>",
    "   <NumberFormat/>",
    "   <Protection/>",
    "  </Style>",
    // Header "Cuenta".
    "  <Style ss:ID='m162233584'>",
    "   <Alignment ss:Horizontal='Center' ss:Vertical='Center'/>",
    "   <Borders>",
    "    <Border ss:Position='Bottom' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "    <Border ss:Position='Left' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "    <Border ss:Position='Top' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "   </Borders>",
    "   <Font x:Family='Swiss' ss:Bold='1'/>",
    "  </Style>",
    // Header "Nombre".
    "  <Style ss:ID='m162233594'>",
    "   <Alignment ss:Horizontal='Center' ss:Vertical='Center'/>",
    "   <Borders>",
    "    <Border ss:Position='Bottom' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "    <Border ss:Position='Left' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "    <Border ss:Position='Right' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "    <Border ss:Position='Top' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "   </Borders>",
    "   <Font x:Family='Swiss' ss:Bold='1'/>",
    "  </Style>",
    // Headers "Movimientos", "Saldo" and "Inventario".
    "  <Style ss:ID='m162231824'>",
    "   <Alignment ss:Horizontal='Center' ss:Vertical='Bottom'/>",
    "   <Borders>",
    "    <Border ss:Position='Left' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "    <Border ss:Position='Right' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "    <Border ss:Position='Top' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "   </Borders>",
    "   <Font x:Family='Swiss' ss:Bold='1'/>",
    "  </Style>",
    "  <Style ss:ID='m162231834'>",
    "   <Alignment ss:Horizontal='Center' ss:Vertical='Bottom'/>",
    "   <Borders>",
    "    <Border ss:Position='Left' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "    <Border ss:Position='Right' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "    <Border ss:Position='Top' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "   </Borders>",
    "   <Font x:Family='Swiss' ss:Bold='1'/>",
    "  </Style>",
    "  <Style ss:ID='m162231844'>",
    "   <Alignment ss:Horizontal='Center' ss:Vertical='Bottom'/>",
    "   <Borders>",
    "    <Border ss:Position='Left' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "    <Border ss:Position='Right' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "    <Border ss:Position='Top' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "   </Borders>",
    "   <Font x:Family='Swiss' ss:Bold='1'/>",
    "  </Style>",
    // Header "Resultados".
    "  <Style ss:ID='m162231854'>",
    "   <Alignment ss:Horizontal='Center' ss:Vertical='Bottom'/>",
    "   <Borders>",
    "    <Border ss:Position='Right' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "    <Border ss:Position='Top' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "   </Borders>",
    "   <Font x:Family='Swiss' ss:Bold='1'/>",
    "  </Style>",
    // Sheet rows 1 and 2.
    "  <Style ss:ID='s27'>",
    "   <Font x:Family='Swiss' ss:Size='12' ss:Bold='1'/>",
    "  </Style>",
    // Account code and name, the empty cells of the summary rows.
    "  <Style ss:ID='s44'>",
    "   <Borders>",
    "    <Border ss:Position='Bottom' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "    <Border ss:Position='Left' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "    <Border ss:Position='Right' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "    <Border ss:Position='Top' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "   </Borders>",
    "  </Style>",
    // Amounts in the left column of each pair.
    "  <Style ss:ID='s45'>",
    "   <Borders>",
    "    <Border ss:Position='Bottom' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "    <Border ss:Position='Left' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "    <Border ss:Position='Top' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "   </Borders>",
    "   <NumberFormat ss:Format='#,##0'/>",
    "  </Style>",
    // Amounts in the right column of each pair.
    "  <Style ss:ID='s46'>",
    "   <Borders>",
    "    <Border ss:Position='Bottom' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "    <Border ss:Position='Right' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "    <Border ss:Position='Top' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "   </Borders>",
    "   <NumberFormat ss:Format='#,##0'/>",
    "  </Style>",
    // Left headers of the second header row and the labels of the summary rows.
    "  <Style ss:ID='s47'>",
    "   <Alignment ss:Horizontal='Center' ss:Vertical='Bottom'/>",
    "   <Borders>",
    "    <Border ss:Position='Bottom' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "    <Border ss:Position='Left' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "   </Borders>",
    "   <Font x:Family='Swiss' ss:Bold='1'/>",
    "  </Style>",
    // Right headers of the second header row.
    "  <Style ss:ID='s48'>",
    "   <Alignment ss:Horizontal='Center' ss:Vertical='Bottom'/>",
    "   <Borders>",
    "    <Border ss:Position='Bottom' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "    <Border ss:Position='Right' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "   </Borders>",
    "   <Font x:Family='Swiss' ss:Bold='1'/>",
    "  </Style>",
    // Header "Perdidas".
    "  <Style ss:ID='s49'>",
    "   <Alignment ss:Horizontal='Center' ss:Vertical='Bottom'/>",
    "   <Borders>",
    "    <Border ss:Position='Bottom' ss:LineStyle='Continuous' ss:Weight='1'/>",
    "   </Borders>",
    "   <Font x:Family='Swiss' ss:Bold='1'/>",
    "  </Style>",
    " </Styles>",
    " <Worksheet ss:Name='balance general'>",
    "  <Table ss:ExpandedColumnCount='10'  x:FullColumns='1'",
    "   x:FullRows='1' ss:DefaultColumnWidth='60'>",
    "   <Column ss:Index='2' ss:AutoFitWidth='0' ss:Width='198'/>",
    "   <Row ss:Height='15.75'>",
};

constexpr std::string_view kDespuesDeEmpresa[] = {
    "   </Row>",
    "   <Row ss:Height='15.75'>",
    "    <Cell ss:StyleID='s27'><Data ss:Type='String'>BALANCE GENERAL</Data></Cell>",
    "   </Row>",
    "   <Row>",
    "    <Cell ss:MergeDown='1' ss:StyleID='m162233584'><Data "
    "ss:Type='String'>Cuenta</Data></Cell>",
    "    <Cell ss:MergeDown='1' ss:StyleID='m162233594'><Data "
    "ss:Type='String'>Nombre</Data></Cell>",
    "    <Cell ss:MergeAcross='1' ss:StyleID='m162231824'><Data "
    "ss:Type='String'>Movimientos</Data></Cell>",
    "    <Cell ss:MergeAcross='1' ss:StyleID='m162231834'><Data "
    "ss:Type='String'>Saldo</Data></Cell>",
    "    <Cell ss:MergeAcross='1' ss:StyleID='m162231844'><Data "
    "ss:Type='String'>Inventario</Data></Cell>",
    "    <Cell ss:MergeAcross='1' ss:StyleID='m162231854'><Data "
    "ss:Type='String'>Resultados</Data></Cell>",
    "   </Row>",
    "   <Row>",
    "    <Cell ss:Index='3' ss:StyleID='s47'><Data ss:Type='String'>Debitos</Data></Cell>",
    "    <Cell ss:StyleID='s48'><Data ss:Type='String'>Creditos</Data></Cell>",
    "    <Cell ss:StyleID='s47'><Data ss:Type='String'>Deudor</Data></Cell>",
    "    <Cell ss:StyleID='s48'><Data ss:Type='String'>Acreedor</Data></Cell>",
    "    <Cell ss:StyleID='s47'><Data ss:Type='String'>Activo</Data></Cell>",
    "    <Cell ss:StyleID='s48'><Data ss:Type='String'>Pasivo</Data></Cell>",
    "    <Cell ss:StyleID='s49'><Data ss:Type='String'>Perdidas</Data></Cell>",
    "    <Cell ss:StyleID='s48'><Data ss:Type='String'>Ganancias</Data></Cell>",
    "   </Row>",
};

constexpr std::string_view kCola[] = {
    "  </Table>",
    "  <WorksheetOptions xmlns='urn:schemas-microsoft-com:office:excel'>",
    "   <PageSetup>",
    "    <Header x:Margin='0'/>",
    "    <Footer x:Margin='0'/>",
    "    <PageMargins x:Bottom='0.984251969' x:Left='0.78740157499999996'",
    "     x:Right='0.78740157499999996' x:Top='0.984251969'/>",
    "   </PageSetup>",
    "   <FitToPage/>",
    "   <Print>",
    "    <ValidPrinterInfo/>",
    "    <PaperSizeIndex>135</PaperSizeIndex>",
    "    <Scale>64</Scale>",
    "    <HorizontalResolution>600</HorizontalResolution>",
    "    <VerticalResolution>600</VerticalResolution>",
    "   </Print>",
    "   <Selected/>",
    "   <Panes>",
    "    <Pane>",
    "     <Number>3</Number>",
    "     <ActiveRow>1</ActiveRow>",
    "     <RangeSelection>R2C1:R3C1</RangeSelection>",
    "    </Pane>",
    "   </Panes>",
    "   <ProtectObjects>False</ProtectObjects>",
    "   <ProtectScenarios>False</ProtectScenarios>",
    "  </WorksheetOptions>",
    " </Worksheet>",
    "</Workbook>",
};

static_assert(std::size(kAntesDeEmpresa) == 146 && std::size(kDespuesDeEmpresa) == 22);
static_assert(std::size(kCola) == 29);

}  // namespace

void escribirCabeza(std::ostream& salida, std::string_view empresa) {
  for (auto linea : kAntesDeEmpresa) escribirLinea(salida, linea);
  escribirLinea(salida, "    <Cell ss:StyleID='s27'><Data ss:Type='String'>", textoXml(empresa),
                "</Data></Cell>");
  for (auto linea : kDespuesDeEmpresa) escribirLinea(salida, linea);
}

void escribirCola(std::ostream& salida) {
  for (auto linea : kCola) escribirLinea(salida, linea);
}

}  // namespace prjsumsal
