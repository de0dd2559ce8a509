<?xml version="1.0" encoding="UTF-8"?>
<!-- Shows log.xml in a browser: one line per entry, errors and warnings marked. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/log">
    <html>
      <head>
        <title>Vandrel log</title>
        <style>
          body { font-family: monospace; }
          .error { color: #b00000; }
          .warning { color: #a06000; }
        </style>
      </head>
      <body>
        <p>Log of <xsl:value-of select="creationDate"/>, <xsl:value-of select="creationTime"/></p>
        <xsl:for-each select="error|warning|message">
          <div class="{name()}"><xsl:value-of select="."/></div>
        </xsl:for-each>
      </body>
    </html>
  </xsl:template>
</xsl:stylesheet>
