#include "datos/forma_insercion.h"

#include <strings.h>

#include <cctype>

namespace suite {

namespace {

bool deNombre(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool digito(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

std::optional<FormaInsercion> formaInsercion(const std::string& sql) {
  auto ini = sql.find_first_not_of(" \t\r\n");
  if (ini == std::string::npos || ::strncasecmp(sql.c_str() + ini, "insert", 6) != 0) return {};
  using Tipo = FormaInsercion::Valor::Tipo;
  FormaInsercion f;
  f.forma.reserve(sql.size() / 2);
  std::size_t copiado = 0;  // sql[copiado, i) still to be copied as it is
  char previo = ' ';        // the last character that is not a blank
  auto literal = [&](std::size_t i, std::size_t fin, Tipo tipo, std::string texto) {
    f.forma.append(sql, copiado, i - copiado);
    f.forma += '?';
    f.valores.push_back({tipo, std::move(texto)});
    copiado = fin;
    previo = '?';
  };
  for (std::size_t i = 0; i < sql.size();) {
    char c = sql[i];
    char sigue = i + 1 < sql.size() ? sql[i + 1] : '\0';
    if (c == '"' || c == '`' || c == '[' || c == '?' || c == ':' || c == '@' ||
        (c == '-' && sigue == '-') || (c == '/' && sigue == '*')) {
      return {};
    }
    if (c == '\'') {
      if ((previo == 'x' || previo == 'X') && i > 0 && sql[i - 1] == previo) return {};  // X'..'
      std::string texto;
      std::size_t j = i + 1;
      for (;;) {
        std::size_t cierre = sql.find('\'', j);
        if (cierre == std::string::npos) return {};
        texto.append(sql, j, cierre - j);
        if (cierre + 1 < sql.size() && sql[cierre + 1] == '\'') {
          texto += '\'';
          j = cierre + 2;
          continue;
        }
        j = cierre + 1;
        break;
      }
      literal(i, j, Tipo::Texto, std::move(texto));
      i = j;
      continue;
    }
    bool signo = c == '-' && (previo == '(' || previo == ',') && digito(sigue);
    bool numero = (digito(c) || (c == '.' && digito(sigue))) && !deNombre(previo);
    if (signo || numero) {
      std::size_t j = signo ? i + 1 : i;
      if (sql[j] == '0' && j + 1 < sql.size() && (sql[j + 1] == 'x' || sql[j + 1] == 'X')) {
        return {};
      }
      bool real = false;
      while (j < sql.size() && digito(sql[j])) ++j;
      if (j < sql.size() && sql[j] == '.') {
        real = true;
        for (++j; j < sql.size() && digito(sql[j]);) ++j;
      }
      if (j < sql.size() && (sql[j] == 'e' || sql[j] == 'E')) {
        real = true;
        ++j;
        if (j < sql.size() && (sql[j] == '+' || sql[j] == '-')) ++j;
        if (j >= sql.size() || !digito(sql[j])) return {};
        while (j < sql.size() && digito(sql[j])) ++j;
      }
      if (j < sql.size() && deNombre(sql[j])) return {};
      literal(i, j, real ? Tipo::Real : Tipo::Entero, sql.substr(i, j - i));
      i = j;
      continue;
    }
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') previo = c;
    ++i;
  }
  f.forma.append(sql, copiado, std::string::npos);
  return f;
}

}  // namespace suite
