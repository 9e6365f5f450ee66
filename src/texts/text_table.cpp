#include "texts/text_table.h"

#include <iterator>
#include <optional>

#include "platform/text.h"
#include "startup/settings.h"

namespace mirvane {

namespace {

enum class TextLanguage { Spanish, English, French, Portuguese };

struct TextRow {
  std::string_view key;
  std::string_view es;  // informal Spanish; the formal forms are in kFormalSpanish
  std::string_view en;
  std::string_view fr;
  std::string_view pt;
};

// French and Portuguese have no e5 of their own and show the English one.
constexpr std::string_view kEnglishE5 =
    "ERR 5: Cannot create data file: \"%FOLDER%\"\r\n"
    "Make sure the disk unit exists, and the folder has read/write access.";

// The text table. Every text is shown as it stands, oddities included: callers
// replace the placeholders _SCORE_, %USERNAMELENGTH% and %FOLDER%, "&" marks a
// button's access key, and English l43 and l44 hold only "[l43]" and "[l44]".
// A row too long for one line keeps one language per line.
// clang-format off
constexpr TextRow kTexts[] = {
    {"l1",
     "Área de entrada al curso",
     "Course login",
     "Zone d'accès au cours",
     "Área de entrada ao curso"},
    {"l2",
     "e-Learning o capacitación a través de tecnología, permite al estudiante capacitarse a su "
     "ritmo y aumentar su nivel de retención al adquirir nuevo conocimiento de forma interactiva "
     "y entretenida.",
     "e-Learning or training using technology, allows the student to train at his/her own pace, "
     "and increase his/her retention while interactively and entertainingly acquiring new "
     "knowledge.",
     "e-Learning ou l'entraînement grâce à la technologie permet à l'étudiant de se former à son "
     "rythme et d'améliorer son niveau d'assimilation en acquerrant la connaissance de manière "
     "interactive et amusante.",
     "A capacitação e-learning permitirá ao colaborador capacitar-se em seu ritmo e aumentar seu "
     "nivel de aprendizagem ao adquirir novo conhecimento de maneira interativa e dinâmica."},
    {"l3", "&Aceptar", "&Ok", "&Accepter", "&Aceitar"},
    {"l4", "&Cancelar", "&Cancel", "A&nnuler", "&Cancelar"},
    {"l5", "Usuario", "Login", "Utilisateur", "Matrícula"},
    {"l6", "Contraseña", "Password", "Mot de passe", "Senha"},
    {"l7",
     "El usuario no existe, ¿Deseas crear la cuenta ahora?",
     "The username does not exist, do you want to create it?",
     "L'utilisateur n'existe pas. Vous voulez créer un compte maintenant?",
     "O usuário não existe, Deseja criar a conta agora?"},
    {"l8",
     "¿Deseas cerrar el curso?",
     "Do you really want to close?",
     "Vous voulez fermer le cours ?",
     "Deseja fechar o curso?"},
    {"l9", "Iniciar", "Start", "Démarrer", "Iniciar"},
    {"l10", "Ver reportes", "View reports", "Voir les résultats", "Ver relatórios"},
    {"l11", "Reportes de curso", "Course reports", "Résultat des Cours", "Relatórios de curso"},
    {"l12", "Nombre", "Name", "Nom", "Nome"},
    {"l13", "F.Inicio", "Start Date", "D.Démarrage", "D.Início"},
    {"l14", "F.U.Acceso", "Last Access Date", "D.D.Accès", "D.U.Acesso"},
    {"l15", "F.Fin", "Finish Date", "D.Fin", "D.Fim"},
    {"l16", "Calificación", "Score", "Mention", "Qualificação"},
    {"l17", "Tiempo", "Time", "Temps", "Tempo"},
    {"l18",
     "Bienvenido a esta solución e-Learning",
     "Welcome to this e-Learning solution",
     "Bienvenue à la solution e-Learning",
     "Bem vindo a esta solução E-Learning"},
    {"l19", "Nota", "Note", "Note", "Atenção"},
    {"l20",
     "Recordar el usuario y la contraseña para volver a ingresar al curso.",
     "Remember your username and password to enter the course again.",
     "Memoriser l'utilisateur et le mot de passe pour revenir au cours.",
     ""},
    {"l21", "Ejemplo: digitar", "Example: type", "Exemple : taper", "Exemplo: digitar"},
    {"l22",
     "¿Te gustaría regresar al curso en el lugar en donde lo dejaste?",
     "Would you like to return to the point where you left the course?",
     "Voudriez-vous revenir au cours où vous l'avez laissé?",
     "Gostaria de retornar ao curso no lugar onde o deixou?"},
    {"l23", "&Revisar", "&Review", "&Réviser", "&Revisar"},
    {"l24", "&Cerrar", "&Close", "&Fermer", "&Fechar"},
    {"l25", "&Guardar", "&Save", "&Garder", "&Guardar"},
    {"l26", "Revisando pantalla", "Reviewing screen", "Analyse d'écran en cours", "Revisando tela"},
    {"l27",
     "Has aprobado el examen, con una calificación de _SCORE_%",
     "You have passed the test, with a score of _SCORE_",
     "Vous avez réussi l'examen avec une notation de _SCORE_%",
     "Você aprovou a prova, com una nota de _SCORE_%"},
    {"l28",
     "Has reprobado el examen, con una calificación de _SCORE_%",
     "You have failed the test, with a score of _SCORE_",
     "Vous avez échoué à l'examen avec un notation de _SCORE_%",
     "Você não aprovou a prova, com uma nota de _SCORE_%"},
    {"l29", "Imprimir", "Print", "Imprimer", "Imprimir"},
    {"l30", "Audio", "Audio", "Son", "Audio"},
    {"l31", "Imagen", "Image", "Image", "Imagem"},
    {"l32", "Texto", "Text", "Texte", "Texto"},
    {"l33", "Contenidos", "Contents", "Contenus", "Conteúdos"},
    {"l34", "Comentarios", "Comments", "Commentaires", "Comentários"},
    {"l35",
     "Se modificó el contenido de los medios. Ver archivo relacionado de ediciones.",
     "Media content modified. View the associated edits file.",
     "Le contenu des médias a été modifié. Voir le fichier y relatif.",
     "Foi modificado conteúdo dos meios. Ver arquivo relacionado de edições."},
    {"l36", "Cursos de apoyo", "Support courses", "Cours de soutien", "Cursos de apoio"},
    {"l37",
     "Introducción al uso de las computadoras",
     "Introduction to computers",
     "Introduction a l'utilisation des ordinateurs",
     "Introdução ao uso dos computadores"},
    {"l38",
     "Introducción al uso del curso",
     "Introduction to this course",
     "Introduction a l'usage des enseignements",
     "Introdução ao do curso"},
    {"l39",
     "Desinstalar reproductor de Adobe Flash",
     "Uninstall Adobe Flash player",
     "Désinstaller le reproducteur d'Adobe Flash",
     "Desinstalar reprodutor de Adobe Flash"},
    {"l40",
     "Instalar reproductor de Adobe Flash",
     "Install Adobe Flash player",
     "Installer le reproducteur d'Adobe Flash",
     "Instalar reprodutor de Adobe Flash"},
    {"l41",
     "El nombre de usuario debe tener un máximo de %USERNAMELENGTH% caracteres.",
     "The username must maximum have a length of %USERNAMELENGTH% characters.",
     "Le nom d'utilisateur doit contenir un maximum de %USERNAMELENGTH% caractères.",
     "O nome de usuário deve ter um máximo de %USERNAMELENGTH% caracteres."},
    {"l42",
     "El nombre de usuario debe estar compuesto únicamente por números. No puede utilizar letras.",
     "The username must be conformed exclusively by numbers. It can't have any letters.",
     "Le nom d'utilisateur doit contenir uniquement des numéros, les lettres ne peuvent pas être "
     "utilisées.",
     "O nome de usuário deve estar composto unicamente por números. Não pode utilizar letras."},
    {"l43",
     "Si no recuerdas tu Número de Empleado, regresa a la pantalla de Tu Espacio y consulta en: "
     "Autogestión > Actualización de información.",
     "[l43]",
     "Si vous ne vous souvenez pas de votre nombre d'employés, retourne à l'écran de Votre Espace.",
     "Caso você não se lembre de seu número de empregado regresse à tela \"Seu Espaço\" e "
     "consulte em: Autogestão > Atualização de informação."},
    {"l44",
     "Es muy IMPORTANTE que ingreses CORRECTAMENTE tu Número de Empleado.",
     "[l44]",
     "Il est très IMPORTANT que vous avez entrez CORRECTEMENT votre Nombre d'Employés.",
     "É muito importante que ingresse corretamente seu número de empregado."},
    {"e1",
     "ERR 1: Debes suministrar una contraseña",
     "ERR 1: You must type a password",
     "ERREUR 1: Vous devez introduire un mot de passe",
     "ERRO 1: Deve fornecer uma senha"},
    {"e2",
     "ERR 2: Los datos de ingreso son erróneos",
     "ERR 2: Invalid login data",
     "ERREUR 2: Les données d'accès sont erronées",
     "ERRO 2: Os dados de ingresso são erróneos"},
    {"e3",
     "ERR 3: Error de QueryString en llamada de URL.\r\n"
     "Los parámetros han sido eliminados.",
     "ERR 3: QueryString error, while opening URL.\r\n"
     "All parameters have been trimmed.",
     "ERREUR 3: Erreur de QueryString en appel d'URL.  Les paramètres ont été éliminés.",
     "ERRO 3: Erro de QueryString na chamada de URL.  Os parâmetros foram eliminados."},
    {"e4",
     "ERR 4: Falta el archivo.",
     "ERR 4: File is missing.",
     "ERREUR 4: Fichier manquant.",
     "ERRO 4: Falta o arquivo."},
    {"e5",
     "ERR 5: Imposible crear archivo de datos: \"%FOLDER%\"\r\n"
     "Asegúrsede de que la unidad de disco existe, y se tienen permisos de lectura/escritura "
     "sobre la carpeta.",
     kEnglishE5,
     kEnglishE5,
     kEnglishE5},
};
// clang-format on
static_assert(std::size(kTexts) == 44 + 5, "labels and questions l1..l44, errors e1..e5");

struct FormalText {
  std::string_view key;
  std::string_view es;
};

// Spanish addressed formally ("usted"), used when the setting languagestyle is "0".
constexpr FormalText kFormalSpanish[] = {
    {"l7", "El usuario no existe, ¿Desea crear la cuenta ahora?"},
    {"l8", "¿Desea cerrar el curso?"},
    {"l22", "¿Le gustaría regresar al curso en el lugar en donde lo dejó?"},
    {"l27", "Usted aprobó el examen, con una calificación de _SCORE_%"},
    {"l28", "Usted reprobó el examen, con una calificación de _SCORE_%"},
    {"e1", "ERR 1: Debe suministrar una contraseña"},
};

// l5 labels the login field; the "varenta" installations log in with the
// employee number instead.
constexpr std::string_view kEmployeeNumberEs = "Número de Empleado";
constexpr std::string_view kEmployeeNumberPt = "Número de empregado";

TextLanguage SelectLanguage(std::string_view code) {
  if (code == "es") return TextLanguage::Spanish;
  if (code == "pt") return TextLanguage::Portuguese;
  if (code == "fr") return TextLanguage::French;
  return TextLanguage::English;
}

std::string_view TextIn(const TextRow& row, TextLanguage language) {
  switch (language) {
    case TextLanguage::Spanish:
      return row.es;
    case TextLanguage::French:
      return row.fr;
    case TextLanguage::Portuguese:
      return row.pt;
    case TextLanguage::English:
      break;
  }
  return row.en;
}

std::optional<std::string_view> FormalSpanish(std::string_view key) {
  for (const FormalText& formal : kFormalSpanish) {
    if (formal.key == key) return formal.es;
  }
  return std::nullopt;
}

const TextRow* FindRow(std::string_view key) {
  for (const TextRow& row : kTexts) {
    if (row.key == key) return &row;
  }
  return nullptr;
}

}  // namespace

std::string GetText(App& app, std::string_view key) {
  // Read before anything else and whatever the key, so that a settings file
  // that cannot be read fails every lookup alike.
  const std::string style = ReadSetting(app, "languagestyle");
  const std::string lower_key = LCase(key);
  const TextLanguage language = SelectLanguage(app.Language);

  if (lower_key == "l5" && language != TextLanguage::English) {
    // French reads the setting too, though it has no employee-number wording.
    if (ReadSetting(app, "customize") == "varenta") {
      if (language == TextLanguage::Spanish) return std::string(kEmployeeNumberEs);
      if (language == TextLanguage::Portuguese) return std::string(kEmployeeNumberPt);
    }
  }

  if (language == TextLanguage::Spanish && style == "0") {
    if (const auto formal = FormalSpanish(lower_key)) return std::string(*formal);
  }

  const TextRow* row = FindRow(lower_key);
  if (row == nullptr) return lower_key;
  return std::string(TextIn(*row, language));
}

}  // namespace mirvane
