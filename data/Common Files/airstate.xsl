<?xml version="1.0" encoding="UTF-8"?>
<!-- Shows a moist-air state copied from the air state calculator ("Copy to XML") as an HTML
     table: one row per property with its value and unit. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8" indent="yes"/>

  <xsl:template match="/airstate">
    <html>
      <head>
        <meta charset="utf-8"/>
        <title>Moist air state: <xsl:value-of select="properties/@name"/></title>
        <style>
          body { font-family: sans-serif; margin: 1.5em; color: #222; }
          table { border-collapse: collapse; }
          th, td { border: 1px solid #bbb; padding: .25em .7em; text-align: left; }
          th { background: #f2ece6; }
          td.value { text-align: right; }
        </style>
      </head>
      <body>
        <xsl:apply-templates select="properties"/>
      </body>
    </html>
  </xsl:template>

  <xsl:template match="properties">
    <h1><xsl:value-of select="@name"/></h1>
    <table>
      <tr><th>Property</th><th>Value</th><th>Units</th></tr>
      <xsl:for-each select="item">
        <tr>
          <xsl:attribute name="id"><xsl:value-of select="@code"/></xsl:attribute>
          <td><xsl:value-of select="@caption"/></td>
          <td class="value"><xsl:value-of select="."/></td>
          <td><xsl:value-of select="@units"/></td>
        </tr>
      </xsl:for-each>
    </table>
  </xsl:template>
</xsl:stylesheet>
