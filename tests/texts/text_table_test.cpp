#include "texts/text_table.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <string_view>

#include "startup/settings.h"
#include "support/headless_app.h"

namespace mirvane {
namespace {

struct ExpectedTexts {
  std::string_view key;
  std::string_view es;  // informal
  std::string_view en;
  std::string_view fr;
  std::string_view pt;
};

// Every text as the program must show it, typed out afresh so that a slip in
// either this list or the program's table shows up as a failure.
constexpr ExpectedTexts kExpected[] = {
    {"l1", "Área de entrada al curso", "Course login", "Zone d'accès au cours",
     "Área de entrada ao curso"},
    {"l2",
     "e-Learning o capacitación a través de tecnología, permite al estudiante capacitarse a su "
     "ritmo y aumentar su nivel de retención al adquirir nuevo conocimiento de forma "
     "interactiva y entretenida.",
     "e-Learning or training using technology, allows the student to train at his/her own "
     "pace, and increase his/her retention while interactively and entertainingly acquiring "
     "new knowledge.",
     "e-Learning ou l'entraînement grâce à la technologie permet à l'étudiant de se former à "
     "son rythme et d'améliorer son niveau d'assimilation en acquerrant la connaissance de "
     "manière interactive et amusante.",
     "A capacitação e-learning permitirá ao colaborador capacitar-se em seu ritmo e aumentar "
     "seu nivel de aprendizagem ao adquirir novo conhecimento de maneira interativa e "
     "dinâmica."},
    {"l3", "&Aceptar", "&Ok", "&Accepter", "&Aceitar"},
    {"l4", "&Cancelar", "&Cancel", "A&nnuler", "&Cancelar"},
    {"l5", "Usuario", "Login", "Utilisateur", "Matrícula"},
    {"l6", "Contraseña", "Password", "Mot de passe", "Senha"},
    {"l7", "El usuario no existe, ¿Deseas crear la cuenta ahora?",
     "The username does not exist, do you want to create it?",
     "L'utilisateur n'existe pas. Vous voulez créer un compte maintenant?",
     "O usuário não existe, Deseja criar a conta agora?"},
    {"l8", "¿Deseas cerrar el curso?", "Do you really want to close?",
     "Vous voulez fermer le cours ?", "Deseja fechar o curso?"},
    {"l9", "Iniciar", "Start", "Démarrer", "Iniciar"},
    {"l10", "Ver reportes", "View reports", "Voir les résultats", "Ver relatórios"},
    {"l11", "Reportes de curso", "Course reports", "Résultat des Cours", "Relatórios de curso"},
    {"l12", "Nombre", "Name", "Nom", "Nome"},
    {"l13", "F.Inicio", "Start Date", "D.Démarrage", "D.Início"},
    {"l14", "F.U.Acceso", "Last Access Date", "D.D.Accès", "D.U.Acesso"},
    {"l15", "F.Fin", "Finish Date", "D.Fin", "D.Fim"},
    {"l16", "Calificación", "Score", "Mention", "Qualificação"},
    {"l17", "Tiempo", "Time", "Temps", "Tempo"},
    {"l18", "Bienvenido a esta solución e-Learning", "Welcome to this e-Learning solution",
     "Bienvenue à la solution e-Learning", "Bem vindo a esta solução E-Learning"},
    {"l19", "Nota", "Note", "Note", "Atenção"},
    {"l20", "Recordar el usuario y la contraseña para volver a ingresar al curso.",
     "Remember your username and password to enter the course again.",
     "Memoriser l'utilisateur et le mot de passe pour revenir au cours.", ""},
    {"l21", "Ejemplo: digitar", "Example: type", "Exemple : taper", "Exemplo: digitar"},
    {"l22", "¿Te gustaría regresar al curso en el lugar en donde lo dejaste?",
     "Would you like to return to the point where you left the course?",
     "Voudriez-vous revenir au cours où vous l'avez laissé?",
     "Gostaria de retornar ao curso no lugar onde o deixou?"},
    {"l23", "&Revisar", "&Review", "&Réviser", "&Revisar"},
    {"l24", "&Cerrar", "&Close", "&Fermer", "&Fechar"},
    {"l25", "&Guardar", "&Save", "&Garder", "&Guardar"},
    {"l26", "Revisando pantalla", "Reviewing screen", "Analyse d'écran en cours", "Revisando tela"},
    {"l27", "Has aprobado el examen, con una calificación de _SCORE_%",
     "You have passed the test, with a score of _SCORE_",
     "Vous avez réussi l'examen avec une notation de _SCORE_%",
     "Você aprovou a prova, com una nota de _SCORE_%"},
    {"l28", "Has reprobado el examen, con una calificación de _SCORE_%",
     "You have failed the test, with a score of _SCORE_",
     "Vous avez échoué à l'examen avec un notation de _SCORE_%",
     "Você não aprovou a prova, com uma nota de _SCORE_%"},
    {"l29", "Imprimir", "Print", "Imprimer", "Imprimir"},
    {"l30", "Audio", "Audio", "Son", "Audio"},
    {"l31", "Imagen", "Image", "Image", "Imagem"},
    {"l32", "Texto", "Text", "Texte", "Texto"},
    {"l33", "Contenidos", "Contents", "Contenus", "Conteúdos"},
    {"l34", "Comentarios", "Comments", "Commentaires", "Comentários"},
    {"l35", "Se modificó el contenido de los medios. Ver archivo relacionado de ediciones.",
     "Media content modified. View the associated edits file.",
     "Le contenu des médias a été modifié. Voir le fichier y relatif.",
     "Foi modificado conteúdo dos meios. Ver arquivo relacionado de edições."},
    {"l36", "Cursos de apoyo", "Support courses", "Cours de soutien", "Cursos de apoio"},
    {"l37", "Introducción al uso de las computadoras", "Introduction to computers",
     "Introduction a l'utilisation des ordinateurs", "Introdução ao uso dos computadores"},
    {"l38", "Introducción al uso del curso", "Introduction to this course",
     "Introduction a l'usage des enseignements", "Introdução ao do curso"},
    {"l39", "Desinstalar reproductor de Adobe Flash", "Uninstall Adobe Flash player",
     "Désinstaller le reproducteur d'Adobe Flash", "Desinstalar reprodutor de Adobe Flash"},
    {"l40", "Instalar reproductor de Adobe Flash", "Install Adobe Flash player",
     "Installer le reproducteur d'Adobe Flash", "Instalar reprodutor de Adobe Flash"},
    {"l41", "El nombre de usuario debe tener un máximo de %USERNAMELENGTH% caracteres.",
     "The username must maximum have a length of %USERNAMELENGTH% characters.",
     "Le nom d'utilisateur doit contenir un maximum de %USERNAMELENGTH% caractères.",
     "O nome de usuário deve ter um máximo de %USERNAMELENGTH% caracteres."},
    {"l42",
     "El nombre de usuario debe estar compuesto únicamente por números. No puede utilizar "
     "letras.",
     "The username must be conformed exclusively by numbers. It can't have any letters.",
     "Le nom d'utilisateur doit contenir uniquement des numéros, les lettres ne peuvent pas "
     "être utilisées.",
     "O nome de usuário deve estar composto unicamente por números. Não pode utilizar letras."},
    {"l43",
     "Si no recuerdas tu Número de Empleado, regresa a la pantalla de Tu Espacio y consulta "
     "en: Autogestión > Actualización de información.",
     "[l43]",
     "Si vous ne vous souvenez pas de votre nombre d'employés, retourne à l'écran de Votre "
     "Espace.",
     "Caso você não se lembre de seu número de empregado regresse à tela \"Seu Espaço\" e "
     "consulte em: Autogestão > Atualização de informação."},
    {"l44", "Es muy IMPORTANTE que ingreses CORRECTAMENTE tu Número de Empleado.", "[l44]",
     "Il est très IMPORTANT que vous avez entrez CORRECTEMENT votre Nombre d'Employés.",
     "É muito importante que ingresse corretamente seu número de empregado."},
    {"e1", "ERR 1: Debes suministrar una contraseña", "ERR 1: You must type a password",
     "ERREUR 1: Vous devez introduire un mot de passe", "ERRO 1: Deve fornecer uma senha"},
    {"e2", "ERR 2: Los datos de ingreso son erróneos", "ERR 2: Invalid login data",
     "ERREUR 2: Les données d'accès sont erronées", "ERRO 2: Os dados de ingresso são erróneos"},
    {"e3", "ERR 3: Error de QueryString en llamada de URL.\r\nLos parámetros han sido eliminados.",
     "ERR 3: QueryString error, while opening URL.\r\nAll parameters have been trimmed.",
     "ERREUR 3: Erreur de QueryString en appel d'URL.  Les paramètres ont été éliminés.",
     "ERRO 3: Erro de QueryString na chamada de URL.  Os parâmetros foram eliminados."},
    {"e4", "ERR 4: Falta el archivo.", "ERR 4: File is missing.", "ERREUR 4: Fichier manquant.",
     "ERRO 4: Falta o arquivo."},
    // French and Portuguese show the English e5.
    {"e5",
     "ERR 5: Imposible crear archivo de datos: \"%FOLDER%\"\r\nAsegúrsede de que la unidad de "
     "disco existe, y se tienen permisos de lectura/escritura sobre la carpeta.",
     "ERR 5: Cannot create data file: \"%FOLDER%\"\r\nMake sure the disk unit exists, and the "
     "folder has read/write access.",
     "ERR 5: Cannot create data file: \"%FOLDER%\"\r\nMake sure the disk unit exists, and the "
     "folder has read/write access.",
     "ERR 5: Cannot create data file: \"%FOLDER%\"\r\nMake sure the disk unit exists, and the "
     "folder has read/write access."},
};
static_assert(std::size(kExpected) == 44 + 5);

// The Spanish texts addressed formally, returned when languagestyle is "0".
constexpr struct {
  std::string_view key;
  std::string_view text;
} kFormalSpanish[] = {
    {"l7", "El usuario no existe, ¿Desea crear la cuenta ahora?"},
    {"l8", "¿Desea cerrar el curso?"},
    {"l22", "¿Le gustaría regresar al curso en el lugar en donde lo dejó?"},
    {"l27", "Usted aprobó el examen, con una calificación de _SCORE_%"},
    {"l28", "Usted reprobó el examen, con una calificación de _SCORE_%"},
    {"e1", "ERR 1: Debe suministrar una contraseña"},
};

std::string_view ExpectedIn(const ExpectedTexts& row, std::string_view language) {
  if (language == "es") return row.es;
  if (language == "fr") return row.fr;
  if (language == "pt") return row.pt;
  return row.en;
}

class TextTableTest : public ::testing::Test {
 protected:
  TextTableTest() { t_.WriteSettings("language=es\r\n"); }

  void WriteSettings(std::string_view text) { t_.WriteSettings(text); }

  std::string Text(std::string_view language, std::string_view key) {
    t_.app.Language = language;
    return GetText(t_.app, key);
  }

  // Every key, with app.Language set to `app_language`, gives the text of the
  // `table_language` column (informal Spanish for "es").
  void ExpectWholeTable(std::string_view table_language, std::string_view app_language) {
    for (const ExpectedTexts& row : kExpected) {
      EXPECT_EQ(Text(app_language, row.key), ExpectedIn(row, table_language))
          << "key " << row.key << ", language \"" << app_language << "\"";
    }
  }

 private:
  test::HeadlessApp t_;
};

TEST_F(TextTableTest, EveryTextInEveryLanguage) {
  for (const std::string_view language : {"es", "en", "fr", "pt"}) {
    ExpectWholeTable(language, language);
  }
}

TEST_F(TextTableTest, AnyOtherLanguageGetsEnglish) {
  for (const std::string_view language : {"ES", "Es", "es ", "de", "", "EN", "english"}) {
    ExpectWholeTable("en", language);
  }
}

TEST_F(TextTableTest, FormalStyleChangesSixSpanishTextsOnly) {
  WriteSettings("languagestyle=0\r\n");
  for (const ExpectedTexts& row : kExpected) {
    std::string_view expected = row.es;
    for (const auto& formal : kFormalSpanish) {
      if (formal.key == row.key) expected = formal.text;
    }
    EXPECT_EQ(Text("es", row.key), expected) << "key " << row.key;
  }
  // There is no formal English, French or Portuguese.
  for (const std::string_view language : {"en", "fr", "pt", "ES"}) {
    ExpectWholeTable(language == "ES" ? "en" : language, language);
  }
}

TEST_F(TextTableTest, InformalSpanishUnlessStyleIsExactlyZero) {
  for (const std::string_view settings :
       {"", "languagestyle=1\r\n", "languagestyle=formal\r\n", "languagestyle=00\r\n",
        "languagestyle=\r\n", "languagestyle=0.0\r\n"}) {
    WriteSettings(settings);
    EXPECT_EQ(Text("es", "l8"), "¿Deseas cerrar el curso?") << "settings: " << settings;
    EXPECT_EQ(Text("es", "e1"), "ERR 1: Debes suministrar una contraseña")
        << "settings: " << settings;
  }
}

TEST_F(TextTableTest, FormalFormsAreFoundWhateverTheCaseOfTheKey) {
  WriteSettings("languagestyle=0\r\n");
  EXPECT_EQ(Text("es", "L8"), "¿Desea cerrar el curso?");
  EXPECT_EQ(Text("es", "E1"), "ERR 1: Debe suministrar una contraseña");
}

TEST_F(TextTableTest, SettingsAreReadAgainOnEveryCall) {
  EXPECT_EQ(Text("es", "l8"), "¿Deseas cerrar el curso?");
  EXPECT_EQ(Text("es", "l5"), "Usuario");
  WriteSettings("languagestyle=0\r\ncustomize=varenta\r\n");
  EXPECT_EQ(Text("es", "l8"), "¿Desea cerrar el curso?");
  EXPECT_EQ(Text("es", "l5"), "Número de Empleado");
  WriteSettings("languagestyle=1\r\ncustomize=other\r\n");
  EXPECT_EQ(Text("es", "l8"), "¿Deseas cerrar el curso?");
  EXPECT_EQ(Text("es", "l5"), "Usuario");
}

TEST_F(TextTableTest, LoginFieldLabelFollowsCustomize) {
  const struct {
    std::string_view language;
    std::string_view customize;
    std::string_view expected;
  } kCases[] = {
      {"es", "varenta", "Número de Empleado"},
      {"es", "Varenta", "Usuario"},
      {"es", "varenta2", "Usuario"},
      {"es", "", "Usuario"},
      {"pt", "varenta", "Número de empregado"},
      {"pt", "VARENTA", "Matrícula"},
      {"pt", "", "Matrícula"},
      {"fr", "varenta", "Utilisateur"},
      {"fr", "", "Utilisateur"},
      {"en", "varenta", "Login"},
      {"en", "", "Login"},
      {"de", "varenta", "Login"},
  };
  for (const auto& c : kCases) {
    WriteSettings("customize=" + std::string(c.customize) + "\r\n");
    EXPECT_EQ(Text(c.language, "l5"), c.expected)
        << "language " << c.language << ", customize \"" << c.customize << "\"";
    EXPECT_EQ(Text(c.language, "L5"), c.expected) << "upper-case key, language " << c.language;
  }
}

TEST_F(TextTableTest, LoginFieldLabelIgnoresTheFormalStyle) {
  WriteSettings("languagestyle=0\r\ncustomize=varenta\r\n");
  EXPECT_EQ(Text("es", "l5"), "Número de Empleado");
}

TEST_F(TextTableTest, KeyIsComparedInLowerCase) {
  for (const std::string_view language : {"es", "en", "fr", "pt"}) {
    EXPECT_EQ(Text(language, "L9"), Text(language, "l9")) << language;
    EXPECT_EQ(Text(language, "E3"), Text(language, "e3")) << language;
  }
  EXPECT_EQ(Text("es", "L9"), "Iniciar");
}

// A key the table lacks comes back lower-cased, in every language, with
// nothing trimmed.
TEST_F(TextTableTest, UnknownKeyIsReturnedLowerCased) {
  const struct {
    std::string_view key;
    std::string_view expected;
  } kCases[] = {
      {"l45", "l45"}, {"X1", "x1"},         {"", ""},           {" l9", " l9"}, {"l9 ", "l9 "},
      {"l09", "l09"}, {"l0", "l0"},         {"e6", "e6"},       {"E0", "e0"},   {"L", "l"},
      {"É1", "é1"},   {"Éclair", "éclair"}, {"ÑANDÚ", "ñandú"}, {"l 9", "l 9"}, {"l5x", "l5x"},
  };
  for (const std::string_view language : {"es", "en", "fr", "pt"}) {
    for (const auto& c : kCases) {
      EXPECT_EQ(Text(language, c.key), c.expected)
          << "key \"" << c.key << "\", language " << language;
    }
  }
}

// The settings file is read before the key is looked at, so without it every
// lookup fails, whatever the key or language.
TEST(TextTableWithoutSettingsTest, FailsWhenTheSettingsFileIsMissing) {
  test::HeadlessApp t;
  for (const std::string_view language : {"es", "en"}) {
    t.app.Language = language;
    EXPECT_THROW(GetText(t.app, "l1"), SettingsFileError) << language;
    EXPECT_THROW(GetText(t.app, "unknown"), SettingsFileError) << language;
  }
}

}  // namespace
}  // namespace mirvane
